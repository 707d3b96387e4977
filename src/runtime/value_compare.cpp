#include "runtime/value_compare.h"

#include "core/typed_field_value.h"
#include "platform/db/field.h"
#include "platform/rtl/format.h"
#include "platform/rtl/strutils.h"

namespace {

// Replaces a field side by its typed value. False when the field has none.
bool ReadFieldSide(TZvValue &Side)
{
    if (!Side.FieldValue)
        return false;
    int type = -1;
    if (!GetTypedFieldValue(Side.FieldValue, Side.StringValue, Side.IntegerValue, Side.FloatValue,
                            Side.BooleanValue, type))
        return false;
    Side.Id = type;
    return true;
}

template <typename T>
TCompareResult Compare(const T &Left, const T &Right, int Operator)
{
    bool holds = false;
    switch (Operator) {
    case 0: holds = Left == Right; break;
    case 1: holds = Left > Right; break;
    case 2: holds = Left >= Right; break;
    case 3: holds = Left < Right; break;
    case 4: holds = Left <= Right; break;
    case 5: holds = Left != Right; break;
    default: return cmpNeither;
    }
    return holds ? cmpHolds : cmpFails;
}

double AsFloat(const TZvValue &Value)
{
    return IsIntegerType(Value.Id) ? double(Value.IntegerValue) : Value.FloatValue;
}

} // namespace

TCompareResult CompareValues(TZvValue Left, TZvValue Right, int Operator)
{
    if (Operator < 0 || Operator > 5)
        return cmpNeither;
    if (Left.Id == vtField && Right.Id == vtNull) {
        if ((Operator != 0 && Operator != 5) || !Left.FieldValue)
            return cmpNeither;
        return (Left.FieldValue->IsNull() == (Operator == 0)) ? cmpHolds : cmpFails;
    }
    if (Left.Id == vtNull && Right.Id == vtField)
        return CompareValues(Right, Left, Operator);
    if (Left.Id == vtField && !ReadFieldSide(Left))
        return cmpNeither;
    if (Right.Id == vtField && !ReadFieldSide(Right))
        return cmpNeither;

    if (Left.Id == vtString && Right.Id == vtString)
        return Compare(Left.StringValue.compare(Right.StringValue, Qt::CaseSensitive), 0, Operator);
    if (IsIntegerType(Left.Id) && IsIntegerType(Right.Id))
        return Compare(Left.IntegerValue, Right.IntegerValue, Operator);
    if ((IsIntegerType(Left.Id) || IsFloatType(Left.Id)) && (IsIntegerType(Right.Id) || IsFloatType(Right.Id)))
        return Compare(AsFloat(Left), AsFloat(Right), Operator);
    if (Left.Id == vtBoolean && Right.Id == vtBoolean)
        return Compare(int(Left.BooleanValue), int(Right.BooleanValue), Operator);
    return cmpNeither;
}

QString ValueText(const TZvValue &Value)
{
    switch (Value.Id) {
    case vtString: return Value.StringValue;
    case vtInteger:
    case vtColor: return IntToStr(Value.IntegerValue);
    case vtFloat: return FloatToStr(Value.FloatValue);
    case vtDateTime: return DateTimeToStr(Value.FloatValue);
    case vtDate: return DateToStr(Value.FloatValue);
    case vtTime: return TimeToStr(Value.FloatValue);
    case vtBoolean: return Value.BooleanValue ? QStringLiteral("True") : QStringLiteral("False");
    case vtField: return Value.FieldValue ? Value.FieldValue->AsString() : QString();
    default: return QString();
    }
}
