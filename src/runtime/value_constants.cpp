#include "runtime/value_constants.h"

#include "platform/rtl/format.h"
#include "platform/rtl/strutils.h"

namespace {

enum TOperator { opAdd, opSub, opMul, opDiv };

struct TOperatorWord
{
    const char *Word;
    bool IsFloat;
    TOperator Operator;
};

constexpr TOperatorWord kOperatorWords[] = {
    {"[Constant Integer + ]", false, opAdd}, {"[Constant Integer - ]", false, opSub},
    {"[Constant Integer * ]", false, opMul}, {"[Constant Integer / ]", false, opDiv},
    {"[Constant Float + ]", true, opAdd},    {"[Constant Float - ]", true, opSub},
    {"[Constant Float * ]", true, opMul},    {"[Constant Float / ]", true, opDiv},
};

const TOperatorWord *FindOperatorWord(const QString &ObjectName)
{
    for (const TOperatorWord &word : kOperatorWords) {
        if (ObjectName == QLatin1String(word.Word))
            return &word;
    }
    return nullptr;
}

// Counterpart op constant; the constant k is converted as the word and the counterpart's
// type ask. Integer forms with a float counterpart convert k as a float for + and -, as an
// integer for * and /.
TConstantResult ApplyOperator(const TOperatorWord &Word, const QString &Constant, const TZvValue &Counterpart,
                              TZvValue &Value)
{
    const QString k = Trim(Constant);
    const int type = Counterpart.Id;
    if (!Word.IsFloat && IsIntegerType(type)) {
        const int32_t c = Counterpart.IntegerValue;
        const int32_t n = StrToInt(k);
        int32_t result = 0;
        switch (Word.Operator) {
        case opAdd: result = WrapAdd(n, c); break;
        case opSub: result = WrapSub(c, n); break;
        case opMul: result = WrapMul(n, c); break;
        case opDiv: result = IntDiv(c, n); break;
        }
        Value.SetInteger(result, type);
        return crValue;
    }
    if (!IsFloatType(type))
        return crNoValue;
    const double c = Counterpart.FloatValue;
    const bool asInteger = !Word.IsFloat && (Word.Operator == opMul || Word.Operator == opDiv);
    const double n = asInteger ? double(StrToInt(k)) : StrToFloat(k);
    double result = 0;
    switch (Word.Operator) {
    case opAdd: result = double(static_cast<long double>(n) + c); break;
    case opSub: result = double(static_cast<long double>(c) - n); break;
    case opMul: result = double(static_cast<long double>(n) * c); break;
    case opDiv: result = FloatDiv(c, n); break;
    }
    Value.SetFloat(result, type);
    return crValue;
}

// "[Constant]" typed by the counterpart.
TConstantResult ReadUntypedConstant(const QString &Text, int CounterpartType, TZvValue &Value)
{
    const QString k = Trim(Text);
    switch (CounterpartType) {
    case vtInteger:
    case vtColor:
        Value.SetInteger(StrToInt(k), CounterpartType);
        return crValue;
    case vtFloat:
        Value.SetFloat(StrToFloat(k));
        return crValue;
    case vtDateTime:
    case vtDate:
    case vtTime: {
        TDateTime dateTime = 0;
        double number = 0;
        if (TryStrToDateTime(k, dateTime))
            Value.SetFloat(dateTime, CounterpartType);
        else if (TryStrToFloat(k, number))
            Value.SetFloat(number, CounterpartType);
        else
            Value.SetFloat(StrToDateTime(k), CounterpartType); // raises the conversion error
        return crValue;
    }
    case vtBoolean: {
        bool flag = false;
        if (!ParseBooleanWord(k, flag))
            return crNoValue;
        Value.SetBoolean(flag);
        return crValue;
    }
    case vtField:
        if (k.compare(QLatin1String("null"), Qt::CaseInsensitive) == 0) {
            Value.Id = vtNull;
            return crValue;
        }
        Value.SetString(Text);
        return crValue;
    default: // strings and the reference types
        Value.SetString(Text);
        return crValue;
    }
}

} // namespace

TConstantResult ReadTypedConstant(const QString &ObjectName, const QString &PropertyName, TZvValue &Value)
{
    if (ObjectName == QLatin1String("[Constant String]")) {
        Value.SetString(PropertyName);
        return crValue;
    }
    if (ObjectName == QLatin1String("[Constant Integer]")) {
        Value.SetInteger(StrToInt(Trim(PropertyName)));
        return crValue;
    }
    if (ObjectName == QLatin1String("[Constant Float]")) {
        Value.SetFloat(StrToFloat(Trim(PropertyName)));
        return crValue;
    }
    if (ObjectName == QLatin1String("[Constant Boolean]")) {
        bool flag = false;
        if (!ParseBooleanWord(Trim(PropertyName), flag))
            return crNoValue;
        Value.SetBoolean(flag);
        return crValue;
    }
    return crNotConstant;
}

TConstantResult ReadCounterpartConstant(const QString &ObjectName, const QString &PropertyName,
                                        const TZvValue &Counterpart, TZvValue &Value)
{
    if (ObjectName == QLatin1String("[Constant]"))
        return ReadUntypedConstant(PropertyName, Counterpart.Id, Value);
    if (ObjectName == QLatin1String("[Constant String + ]")) {
        if (Counterpart.Id != vtString)
            return crNotConstant;
        Value.SetString(Counterpart.StringValue + PropertyName);
        return crValue;
    }
    if (const TOperatorWord *word = FindOperatorWord(ObjectName))
        return ApplyOperator(*word, PropertyName, Counterpart, Value);
    return crNotConstant;
}

TConstantResult ResolveConstantWords(const QString &ObjectName, const QString &PropertyName, TZvValue &Value,
                                     const std::function<bool(TZvValue &)> &ReadCounterpart, TZvValue &Counterpart,
                                     bool &HasCounterpart)
{
    HasCounterpart = false;
    const TConstantResult typed = ReadTypedConstant(ObjectName, PropertyName, Value);
    if (typed != crNotConstant)
        return typed;
    HasCounterpart = ReadCounterpart(Counterpart);
    if (!HasCounterpart)
        return crNotConstant;
    return ReadCounterpartConstant(ObjectName, PropertyName, Counterpart, Value);
}

bool IsFormWord(const QString &Word)
{
    return IsToken(Word, "[MainForm]") || IsToken(Word, "[ParentForm]");
}

bool SplitPathAndToken(const QString &Text, QString &Path, QString &Token)
{
    QStringList pieces = Text.split(QLatin1Char('.'));
    Token = Trim(pieces.takeLast());
    for (QString &piece : pieces)
        piece = Trim(piece);
    Path = pieces.join(QLatin1Char('.'));
    return !Path.isEmpty() && !Token.isEmpty();
}

int GeometryToken(const QString &Token)
{
    static const char *const kTokens[] = {"[Left]", "[Top]", "[Width]", "[Height]"};
    for (int i = 0; i < 4; ++i) {
        if (Token == QLatin1String(kTokens[i]))
            return i;
    }
    return -1;
}
