#include "runtime/variable_commands.h"

#include "core/colors.h"
#include "core/object_types.h"
#include "objects/simple_text.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/format.h"
#include "platform/rtl/strutils.h"
#include "runtime/run_form.h"

namespace {

enum TArithmeticOperator { aoAdd, aoSubtract, aoMultiply, aoDivide };

// The three forms of a calculation on the variables' numbers: both integers into an integer,
// into a float from floating operands, into a float from the integer result.
qint32 IntegerResult(TArithmeticOperator Operator, qint32 A, qint32 B)
{
    switch (Operator) {
    case aoAdd:
        return WrapAdd(A, B);
    case aoSubtract:
        return WrapSub(A, B);
    case aoMultiply:
        return WrapMul(A, B);
    case aoDivide:
        return IntDiv(A, B);
    }
    return 0;
}

// Computed in extended precision; a zero divisor raises as the platform's float division does.
double FloatResult(TArithmeticOperator Operator, long double A, long double B)
{
    switch (Operator) {
    case aoAdd:
        return double(A + B);
    case aoSubtract:
        return double(A - B);
    case aoMultiply:
        return double(A * B);
    case aoDivide:
        // The operands are doubles or 32-bit integers, so they convert back exactly.
        if (B == 0)
            return FloatDiv(double(A), 0.0);
        return double(A / B);
    }
    return 0;
}

// The parts of a date-time in the order of the get and set operations.
struct TDateTimeParts
{
    int Part[7] = {};
};

TDateTimeParts SplitDateTime(TDateTime Value)
{
    TDateTimeParts parts;
    DecodeDate(Value, parts.Part[0], parts.Part[1], parts.Part[2]);
    DecodeTime(Value, parts.Part[3], parts.Part[4], parts.Part[5], parts.Part[6]);
    return parts;
}

} // namespace

void DoStringOperation(TSimpleTextValues *V, TSimpleTextValues *W, TSimpleTextValues *X, int OptionInt)
{
    if (!V)
        return;
    switch (OptionInt) {
    case 0: // Part
        if (W)
            V->StringValue = Copy(V->StringValue, V->IntegerValue, W->IntegerValue);
        break;
    case 1: // Delete
        if (W)
            Delete(V->StringValue, V->IntegerValue, W->IntegerValue);
        break;
    case 2: // Length
        V->IntegerValue = qint32(V->StringValue.size());
        break;
    case 3: // LowerCase
        V->StringValue = LowerCase(V->StringValue);
        break;
    case 4: // UpperCase
        V->StringValue = UpperCase(V->StringValue);
        break;
    case 5: // Pos: V holds the substring and takes the result, W the text searched
        if (W)
            V->IntegerValue = Pos(V->StringValue, W->StringValue);
        break;
    case 6: // Replace: W holds the old pattern and the case switch, X the new pattern
        if (W && X)
            V->StringValue = StringReplace(V->StringValue, W->StringValue, X->StringValue, V->BooleanValue,
                                           W->BooleanValue);
        break;
    case 7: // Trim
        V->StringValue = Trim(V->StringValue);
        break;
    default:
        break;
    }
}

void DoColorOperation(TSimpleTextValues *V, int OptionInt)
{
    if (!V || OptionInt < 0 || OptionInt > 5)
        return;
    const TColor color = ResolveColor(V->ColorValue);
    // Red is the lowest byte, green the second, blue the third.
    const int shift = (OptionInt % 3) * 8;
    if (OptionInt < 3) {
        V->IntegerValue = (color >> shift) & 0xFF;
    } else {
        const TColor mask = TColor(0xFF) << shift;
        V->ColorValue = (color & ~mask) | ((V->IntegerValue & 0xFF) << shift);
    }
}

void DoDateTimeOperation(TSimpleTextValues *V, int OptionInt)
{
    if (!V || OptionInt < 0 || OptionInt > 15)
        return;
    if (OptionInt == 0) {
        V->DateTimeValue = Now();
        return;
    }
    if (OptionInt == 1) {
        V->StringValue = FormatDateTime(V->StringValue, V->DateTimeValue);
        return;
    }
    TDateTimeParts parts = SplitDateTime(V->DateTimeValue);
    if (OptionInt <= 8) {
        V->IntegerValue = parts.Part[OptionInt - 2];
        return;
    }
    // The new part is the low 16 bits of the integer, unsigned, as the platform's word type
    // holds it; a part out of range raises before anything changes.
    parts.Part[OptionInt - 9] = int(quint16(V->IntegerValue & 0xFFFF));
    const int *p = parts.Part;
    V->DateTimeValue = EncodeDateTime(p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
}

void DoArithmeticOperation(TSimpleTextValues *X, TSimpleTextValues *Y, TSimpleTextValues *Z, int OptionInt)
{
    if (!X || !Y || !Z || OptionInt < 0 || OptionInt > 20)
        return;
    if (OptionInt == 0) {
        X->StringValue = Y->StringValue + Z->StringValue;
        return;
    }
    // 1..20: five forms per operator, in the order +, -, *, /.
    const auto op = TArithmeticOperator((OptionInt - 1) / 5);
    switch ((OptionInt - 1) % 5) {
    case 0:
        X->IntegerValue = IntegerResult(op, Y->IntegerValue, Z->IntegerValue);
        break;
    case 1:
        X->FloatValue = FloatResult(op, Y->FloatValue, Z->FloatValue);
        break;
    case 2:
        X->FloatValue = FloatResult(op, Y->FloatValue, Z->IntegerValue);
        break;
    case 3:
        X->FloatValue = FloatResult(op, Y->IntegerValue, Z->FloatValue);
        break;
    case 4:
        // Sums, differences and products of two integers wrap at 32 bits before they become
        // floats; their quotient is a floating division.
        if (op == aoDivide)
            X->FloatValue = FloatResult(op, Y->IntegerValue, Z->IntegerValue);
        else
            X->FloatValue = IntegerResult(op, Y->IntegerValue, Z->IntegerValue);
        break;
    }
}

TZvSimpleText *VariableObjectOf(TRunForm *Form, const QString &Path)
{
    if (!Form || Path.isEmpty())
        return nullptr;
    PZvObject object = Form->GetZvObjectFromName(Path);
    if (!object || object->ObjectType != otSimpleText)
        return nullptr;
    return dynamic_cast<TZvSimpleText *>(object->ObjectControl);
}

void DoStringCommand(TRunForm *Form, const TZvAction &Action)
{
    DoStringOperation(VariableObjectOf(Form, Action.Param1), VariableObjectOf(Form, Action.Param2),
                      VariableObjectOf(Form, Action.Param3), Action.OptionInt);
}

void DoColorCommand(TRunForm *Form, const TZvAction &Action)
{
    DoColorOperation(VariableObjectOf(Form, Action.Param1), Action.OptionInt);
}

void DoDateTimeCommand(TRunForm *Form, const TZvAction &Action)
{
    DoDateTimeOperation(VariableObjectOf(Form, Action.Param1), Action.OptionInt);
}

void DoArithmeticCommand(TRunForm *Form, const TZvAction &Action)
{
    DoArithmeticOperation(VariableObjectOf(Form, Action.Param1), VariableObjectOf(Form, Action.Param2),
                          VariableObjectOf(Form, Action.Param3), Action.OptionInt);
}
