#include "core/typed_field_value.h"

#include "platform/db/field.h"

bool GetTypedFieldValue(const TField *Field, QString &StringValue, int &IntegerValue, double &FloatValue,
                        bool &BooleanValue, int &ValueType)
{
    if (!Field)
        return false;
    switch (Field->DataType()) {
    case ftString:
    case ftMemo:
    case ftWideString:
    case ftFixedWideChar:
    case ftWideMemo:
        ValueType = 0;
        StringValue = Field->AsString();
        return true;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
    case ftLongWord:
    case ftShortint:
    case ftByte:
        ValueType = 1;
        IntegerValue = Field->AsInteger();
        return true;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftExtended:
    case ftSingle:
        ValueType = 2;
        FloatValue = Field->AsFloat();
        return true;
    case ftDateTime:
    case ftTimeStamp:
        ValueType = 3;
        FloatValue = Field->AsDateTime();
        return true;
    case ftDate:
        ValueType = 4;
        FloatValue = Field->AsDateTime();
        return true;
    case ftTime:
        ValueType = 5;
        FloatValue = Field->AsDateTime();
        return true;
    case ftBoolean:
        ValueType = 6;
        BooleanValue = Field->AsBoolean();
        return true;
    default:
        return false;
    }
}
