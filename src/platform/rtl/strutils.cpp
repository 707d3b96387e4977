#include "platform/rtl/strutils.h"

#include "platform/rtl/sysutils.h"

#include <cmath>
#include <limits>

namespace {

bool IsBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

QString InvalidOpMessage()
{
    return QStringLiteral("Invalid floating point operation");
}

// Largest magnitude bound of qint64 as a double: 2^63 (exclusive above, inclusive below).
constexpr double kTwoTo63 = 9223372036854775808.0;

qint64 CheckedToInt64(double integral)
{
    if (!std::isfinite(integral) || integral < -kTwoTo63 || integral >= kTwoTo63)
        throw EInvalidOp(InvalidOpMessage());
    return qint64(integral);
}

} // namespace

QString Copy(const QString &S, int Index, int Count)
{
    if (Index < 1)
        Index = 1;
    if (Count <= 0 || Index > S.size())
        return QString();
    return S.mid(Index - 1, qMin<qsizetype>(Count, S.size() - (Index - 1)));
}

int Pos(const QString &Sub, const QString &S)
{
    if (Sub.isEmpty())
        return 0;
    return int(S.indexOf(Sub)) + 1;
}

void Delete(QString &S, int Index, int Count)
{
    if (Index < 1 || Index > S.size() || Count <= 0)
        return;
    S.remove(Index - 1, qMin<qsizetype>(Count, S.size() - (Index - 1)));
}

void Insert(const QString &Sub, QString &S, int Index)
{
    if (Index < 1)
        Index = 1;
    if (Index > S.size())
        S.append(Sub);
    else
        S.insert(Index - 1, Sub);
}

QString Trim(const QString &S)
{
    return TrimRight(TrimLeft(S));
}

QString TrimLeft(const QString &S)
{
    qsizetype i = 0;
    while (i < S.size() && IsBlank(S[i]))
        ++i;
    return S.mid(i);
}

QString TrimRight(const QString &S)
{
    qsizetype n = S.size();
    while (n > 0 && IsBlank(S[n - 1]))
        --n;
    return S.left(n);
}

QString UpperCase(const QString &S)
{
    QString r = S;
    for (QChar &c : r)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return r;
}

QString LowerCase(const QString &S)
{
    QString r = S;
    for (QChar &c : r)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return r;
}

QString AnsiUpperCase(const QString &S)
{
    return S.toUpper();
}

QString AnsiLowerCase(const QString &S)
{
    return S.toLower();
}

QString StringReplace(const QString &S, const QString &OldPattern, const QString &NewPattern,
                      bool ReplaceAll, bool IgnoreCase)
{
    if (OldPattern.isEmpty())
        return S;
    const Qt::CaseSensitivity cs = IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    QString result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = S.indexOf(OldPattern, from, cs);
        if (at < 0)
            break;
        result += QStringView(S).mid(from, at - from);
        result += NewPattern;
        from = at + OldPattern.size();
        if (!ReplaceAll)
            break;
    }
    result += QStringView(S).mid(from);
    return result;
}

QString IntToStr(qint64 Value)
{
    return QString::number(Value);
}

QString IntToHex(int Value, int Digits)
{
    return QString::number(quint32(Value), 16).toUpper().rightJustified(Digits, QLatin1Char('0'));
}

QString IntToHex(qint64 Value, int Digits)
{
    return QString::number(quint64(Value), 16).toUpper().rightJustified(Digits, QLatin1Char('0'));
}

qint32 WrapAdd(qint32 A, qint32 B)
{
    return qint32(quint32(A) + quint32(B));
}

qint32 WrapSub(qint32 A, qint32 B)
{
    return qint32(quint32(A) - quint32(B));
}

qint32 WrapMul(qint32 A, qint32 B)
{
    return qint32(quint32(A) * quint32(B));
}

qint32 IntDiv(qint32 A, qint32 B)
{
    if (B == 0)
        throw EDivByZero(QStringLiteral("Division by zero"));
    if (A == std::numeric_limits<qint32>::min() && B == -1)
        throw EIntOverflow(QStringLiteral("Integer overflow"));
    return A / B;
}

qint32 IntMod(qint32 A, qint32 B)
{
    if (B == 0)
        throw EDivByZero(QStringLiteral("Division by zero"));
    if (B == -1) // INT_MIN % -1 would trap in hardware; every remainder by -1 is 0
        return 0;
    return A % B;
}

double FloatDiv(double A, double B)
{
    if (B == 0) {
        if (A == 0 || std::isnan(A))
            throw EInvalidOp(InvalidOpMessage());
        throw EZeroDivide(QStringLiteral("Floating point division by zero"));
    }
    return A / B;
}

qint64 Trunc(double X)
{
    return CheckedToInt64(std::trunc(X));
}

qint32 TruncInt32(double X)
{
    const double t = std::trunc(X);
    if (!(t >= -2147483648.0 && t <= 2147483647.0))
        throw EInvalidOp(InvalidOpMessage());
    return static_cast<qint32>(t);
}

qint64 Round(double X)
{
    // nearbyint rounds in the current mode, which is to nearest with halves to even.
    return CheckedToInt64(std::nearbyint(X));
}
