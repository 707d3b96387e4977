#include "objects/variable_values.h"

#include "objects/simple_text.h"
#include "platform/rtl/format.h"
#include "platform/rtl/strutils.h"

namespace {

// Counterpart op Operand for the "[VariableInteger x ]" and "[VariableFloat x ]" tokens.
// Integer operands work on integer and float counterparts, float operands on float ones.
bool CombineWithCounterpart(QChar Operator, bool OperandIsFloat, int32_t IntOperand, double FloatOperand,
                            const TZvValue *Counterpart, TZvValue &Value)
{
    if (!Counterpart)
        return false;
    const int type = Counterpart->Id;
    if (!OperandIsFloat && IsIntegerType(type)) {
        const int32_t c = Counterpart->IntegerValue;
        int32_t result = 0;
        switch (Operator.unicode()) {
        case '+': result = WrapAdd(c, IntOperand); break;
        case '-': result = WrapSub(c, IntOperand); break;
        case '*': result = WrapMul(IntOperand, c); break;
        default: result = IntDiv(c, IntOperand); break;
        }
        Value.SetInteger(result, type);
        return true;
    }
    if (!IsFloatType(type))
        return false;
    const long double c = Counterpart->FloatValue;
    const double operand = OperandIsFloat ? FloatOperand : double(IntOperand);
    double result = 0;
    switch (Operator.unicode()) {
    case '+': result = double(c + operand); break;
    case '-': result = double(c - operand); break;
    case '*': result = double(c * operand); break;
    default: result = FloatDiv(Counterpart->FloatValue, operand); break;
    }
    Value.SetFloat(result, type);
    return true;
}

// The operator of "[VariableInteger + ]" style tokens: "[" Prefix " " op " ]".
bool OperatorToken(const QString &Token, const char *Prefix, QChar &Operator)
{
    const QString prefix = QLatin1Char('[') + QLatin1String(Prefix) + QLatin1Char(' ');
    if (Token.size() != prefix.size() + 3 || !Token.startsWith(prefix) || !Token.endsWith(QLatin1String(" ]")))
        return false;
    Operator = Token.at(prefix.size());
    return Operator == QLatin1Char('+') || Operator == QLatin1Char('-') || Operator == QLatin1Char('*')
           || Operator == QLatin1Char('/');
}

} // namespace

bool ReadVariableToken(const TSimpleTextValues &V, const QString &Token, const TZvValue *Counterpart,
                       TZvValue &Value)
{
    if (IsToken(Token, "[VariableString]"))
        Value.SetString(V.StringValue);
    else if (IsToken(Token, "[VariableString Length]"))
        Value.SetInteger(V.StringValue.size());
    else if (IsToken(Token, "[VariableString LowerCase]"))
        Value.SetString(LowerCase(V.StringValue));
    else if (IsToken(Token, "[VariableString UpperCase]"))
        Value.SetString(UpperCase(V.StringValue));
    else if (IsToken(Token, "[VariableString Trim]"))
        Value.SetString(Trim(V.StringValue));
    else if (IsToken(Token, "[VariableInteger]"))
        Value.SetInteger(V.IntegerValue);
    else if (IsToken(Token, "[VariableFloat]"))
        Value.SetFloat(V.FloatValue);
    else if (IsToken(Token, "[VariableDateTime]"))
        Value.SetFloat(V.DateTimeValue, vtDateTime);
    else if (IsToken(Token, "[VariableBoolean]"))
        Value.SetBoolean(V.BooleanValue);
    else if (IsToken(Token, "[VariableColor]"))
        Value.SetInteger(V.ColorValue, vtColor);
    else if (IsToken(Token, "[VariableStringToInteger]"))
        Value.SetInteger(StrToInt(V.StringValue));
    else if (IsToken(Token, "[VariableStringToFloat]"))
        Value.SetFloat(StrToFloat(V.StringValue));
    else if (IsToken(Token, "[VariableStringToDateTime]"))
        Value.SetFloat(StrToDateTime(V.StringValue), vtDateTime);
    else if (IsToken(Token, "[VariableStringToBoolean]")) {
        bool flag = false;
        if (!ParseBooleanWord(V.StringValue, flag))
            return false;
        Value.SetBoolean(flag);
    } else if (IsToken(Token, "[VariableIntegerToString]"))
        Value.SetString(IntToStr(V.IntegerValue));
    else if (IsToken(Token, "[VariableFloatToString]"))
        Value.SetString(FloatToStr(V.FloatValue));
    else if (IsToken(Token, "[VariableDateTimeToString]"))
        Value.SetString(DateTimeToStr(V.DateTimeValue));
    else if (IsToken(Token, "[VariableDateTimeToDateString]"))
        Value.SetString(DateToStr(V.DateTimeValue));
    else if (IsToken(Token, "[VariableDateTimeToTimeString]"))
        Value.SetString(TimeToStr(V.DateTimeValue));
    else if (IsToken(Token, "[VariableBooleanToString]"))
        Value.SetString(V.BooleanValue ? QStringLiteral("True") : QStringLiteral("False"));
    else if (IsToken(Token, "[VariableString + ]")) {
        if (!Counterpart || Counterpart->Id != vtString)
            return false;
        Value.SetString(Counterpart->StringValue + V.StringValue);
    } else if (IsToken(Token, "[VariableBoolean Not]")) {
        if (!Counterpart || Counterpart->Id != vtBoolean)
            return false;
        Value.SetBoolean(!V.BooleanValue);
    } else {
        QChar op;
        if (OperatorToken(Token, "VariableInteger", op))
            return CombineWithCounterpart(op, false, V.IntegerValue, 0, Counterpart, Value);
        if (OperatorToken(Token, "VariableFloat", op))
            return CombineWithCounterpart(op, true, 0, V.FloatValue, Counterpart, Value);
        return false;
    }
    return true;
}

TTokenWrite WriteVariableToken(TSimpleTextValues &V, const QString &Token, const TZvValue &Value)
{
    const bool isInteger = IsIntegerType(Value.Id);
    const bool isFloat = IsFloatType(Value.Id);
    if (IsToken(Token, "[VariableString]")) {
        if (Value.Id != vtString)
            return twMismatch;
        V.StringValue = Value.StringValue;
    } else if (IsToken(Token, "[VariableInteger]")) {
        if (!isInteger && !isFloat)
            return twMismatch;
        V.IntegerValue = isInteger ? Value.IntegerValue : TruncInt32(Value.FloatValue);
    } else if (IsToken(Token, "[VariableFloat]")) {
        if (!isInteger && !isFloat)
            return twMismatch;
        V.FloatValue = isInteger ? double(Value.IntegerValue) : Value.FloatValue;
    } else if (IsToken(Token, "[VariableDateTime]")) {
        if (!isInteger && !isFloat)
            return twMismatch;
        V.DateTimeValue = isInteger ? double(Value.IntegerValue) : Value.FloatValue;
    } else if (IsToken(Token, "[VariableBoolean]")) {
        if (Value.Id != vtBoolean)
            return twMismatch;
        V.BooleanValue = Value.BooleanValue;
    } else if (IsToken(Token, "[VariableColor]")) {
        if (!isInteger)
            return twMismatch;
        V.ColorValue = Value.IntegerValue;
    } else {
        return twUnknown;
    }
    return twWritten;
}
