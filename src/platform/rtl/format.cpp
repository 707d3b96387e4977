#include "platform/rtl/format.h"

#include "platform/rtl/sysutils.h"

#include <QDate>
#include <QLocale>

#include <cmath>
#include <cstdio>

TFormatSettings FormatSettings;

TFormatSettings DefaultFormatSettings()
{
    return TFormatSettings();
}

namespace {

// ---- decimal digits of a double ----

// A non-negative value as 0.Digits x 10^Exponent; Digits has no leading or trailing zeros
// and is empty for zero.
struct TDecimal {
    QString digits;
    int exponent = 0;
};

void StripTrailingZeros(TDecimal &d)
{
    qsizetype n = d.digits.size();
    while (n > 0 && d.digits[n - 1] == QLatin1Char('0'))
        --n;
    d.digits.truncate(n);
    if (d.digits.isEmpty())
        d.exponent = 0;
}

// |value| to 15 significant digits, the precision a double holds reliably.
TDecimal ToDecimal(double value)
{
    TDecimal d;
    value = std::fabs(value);
    if (value == 0)
        return d;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", value); // d.dddddddddddddde+XX
    const QString text = QString::fromLatin1(buf);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    d.digits = text.left(e).remove(QLatin1Char('.'));
    d.exponent = text.mid(e + 1).toInt() + 1;
    StripTrailingZeros(d);
    return d;
}

// Keeps the first count digits, rounding half away from zero.
TDecimal RoundDigits(TDecimal d, int count)
{
    if (count >= d.digits.size())
        return d;
    if (count < 0)
        return TDecimal();
    const bool up = d.digits[count] >= QLatin1Char('5');
    d.digits.truncate(count);
    if (up) {
        int i = count - 1;
        while (i >= 0 && d.digits[i] == QLatin1Char('9'))
            d.digits[i--] = QLatin1Char('0');
        if (i >= 0) {
            d.digits[i] = QChar(d.digits[i].unicode() + 1);
        } else {
            d.digits.prepend(QLatin1Char('1'));
            ++d.exponent;
        }
    }
    StripTrailingZeros(d);
    return d;
}

QString Zeros(int count)
{
    return QString(qMax(count, 0), QLatin1Char('0'));
}

// ---- FormatFloat sections ----

enum class TTokenKind { Literal, IntDigit, Point, FracDigit, Exponent };

struct TToken {
    TTokenKind kind;
    QString text;      // Literal; the exponent letter
    int index = 0;     // IntDigit / FracDigit position; exponent's least digit count
    bool plus = false; // Exponent: always show the sign
};

struct TSection {
    QList<TToken> tokens;
    int intCount = 0;  // placeholders before the decimal point
    int fracCount = 0; // placeholders after it
    int minInt = 0;    // integer digits always shown: from the first 0 on
    int minFrac = 0;   // fraction digits always shown: up to the last 0
    bool thousands = false;
    bool scientific = false;
    bool hasPoint = false;
};

QStringList SplitSections(const QString &format)
{
    QStringList sections(1);
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections.append(QString());
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

TSection ParseSection(const QString &s)
{
    TSection sec;
    int firstIntZero = -1;
    auto literal = [&sec](const QString &text) {
        if (!sec.tokens.isEmpty() && sec.tokens.last().kind == TTokenKind::Literal)
            sec.tokens.last().text += text;
        else
            sec.tokens.append({TTokenKind::Literal, text});
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype end = s.indexOf(c, i + 1);
            if (end < 0)
                end = s.size();
            literal(s.mid(i + 1, end - i - 1));
            i = end;
        } else if ((c == QLatin1Char('0') || c == QLatin1Char('#')) && !sec.scientific) {
            if (!sec.hasPoint) {
                if (c == QLatin1Char('0') && firstIntZero < 0)
                    firstIntZero = sec.intCount;
                sec.tokens.append({TTokenKind::IntDigit, QString(), sec.intCount++});
            } else {
                sec.tokens.append({TTokenKind::FracDigit, QString(), sec.fracCount++});
                if (c == QLatin1Char('0'))
                    sec.minFrac = sec.fracCount;
            }
        } else if (c == QLatin1Char('.') && !sec.hasPoint && !sec.scientific) {
            sec.hasPoint = true;
            sec.tokens.append({TTokenKind::Point, QString()});
        } else if (c == QLatin1Char(',') && !sec.scientific) {
            sec.thousands = true;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && !sec.scientific &&
                   i + 1 < s.size() && (s[i + 1] == QLatin1Char('+') || s[i + 1] == QLatin1Char('-'))) {
            sec.scientific = true;
            TToken t{TTokenKind::Exponent, QString(c), 0, s[i + 1] == QLatin1Char('+')};
            i += 2;
            while (i < s.size() && s[i] == QLatin1Char('0')) {
                ++t.index;
                ++i;
            }
            --i;
            sec.tokens.append(t);
        } else {
            literal(QString(c));
        }
    }
    sec.minInt = firstIntZero < 0 ? 0 : sec.intCount - firstIntZero;
    return sec;
}

// The digits of value laid into a section; zero tells whether they round to zero.
QString RenderSection(const TSection &sec, const TDecimal &value, const TFormatSettings &fs,
                      bool &zero)
{
    QString intDigits, fracDigits;
    int exponent = 0;
    if (sec.scientific) {
        const TDecimal r = RoundDigits(value, qMax(1, sec.intCount + sec.fracCount));
        zero = r.digits.isEmpty();
        if (!zero) {
            const QString all = r.digits + Zeros(sec.intCount + sec.fracCount - int(r.digits.size()));
            intDigits = all.left(sec.intCount);
            fracDigits = all.mid(sec.intCount);
            exponent = r.exponent - sec.intCount;
        }
    } else {
        const TDecimal r = RoundDigits(value, value.exponent + sec.fracCount);
        zero = r.digits.isEmpty();
        if (!zero) {
            if (r.exponent > 0)
                intDigits = r.digits.left(r.exponent) + Zeros(r.exponent - int(r.digits.size()));
            fracDigits = r.exponent < 0 ? Zeros(-r.exponent) + r.digits : r.digits.mid(r.exponent);
        }
    }
    // Fraction: every 0 placeholder, and # placeholders up to the last non-zero digit.
    fracDigits = (fracDigits + Zeros(sec.fracCount)).left(sec.fracCount);
    int fracShown = int(fracDigits.size());
    while (fracShown > sec.minFrac && fracDigits[fracShown - 1] == QLatin1Char('0'))
        --fracShown;
    if (intDigits.size() < sec.minInt)
        intDigits = Zeros(sec.minInt - int(intDigits.size())) + intDigits;
    const bool hasPlaceholders = sec.intCount + sec.fracCount > 0 || sec.scientific;
    if (hasPlaceholders && intDigits.isEmpty() && fracShown == 0)
        intDigits = QStringLiteral("0"); // a number always shows at least one digit

    const int n = int(intDigits.size());
    QString out;
    auto emitIntDigit = [&](int j) {
        out += intDigits[j];
        if (sec.thousands && j < n - 1 && (n - 1 - j) % 3 == 0)
            out += fs.ThousandSeparator;
    };
    auto emitAllInt = [&]() {
        for (int j = 0; j < n; ++j)
            emitIntDigit(j);
    };
    for (const TToken &t : sec.tokens) {
        switch (t.kind) {
        case TTokenKind::Literal:
            out += t.text;
            break;
        case TTokenKind::IntDigit:
            // Digits fill placeholders from the right; the first one takes any extra digits.
            if (t.index == 0) {
                for (int j = 0; j <= n - sec.intCount; ++j)
                    emitIntDigit(j);
            } else if (n - sec.intCount + t.index >= 0) {
                emitIntDigit(n - sec.intCount + t.index);
            }
            break;
        case TTokenKind::Point:
            if (sec.intCount == 0)
                emitAllInt();
            if (fracShown > 0)
                out += fs.DecimalSeparator;
            break;
        case TTokenKind::FracDigit:
            if (t.index < fracShown)
                out += fracDigits[t.index];
            break;
        case TTokenKind::Exponent: {
            if (sec.intCount == 0 && !sec.hasPoint)
                emitAllInt();
            out += t.text;
            if (exponent < 0)
                out += QLatin1Char('-');
            else if (t.plus)
                out += QLatin1Char('+');
            const QString digits = QString::number(std::abs(exponent));
            out += Zeros(t.index - int(digits.size())) + digits;
            break;
        }
        }
    }
    return out;
}

// ---- date and time ----

struct TParts {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0, dayOfWeek = 1;
};

QString Number(int value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

bool StartsWithAt(const QString &s, qsizetype i, const QString &what)
{
    return !what.isEmpty() && QStringView(s).mid(i, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

// An hour is shown on the 12-hour clock when the next unquoted 'a' from i starts an am/pm
// specifier, before any other hour.
bool UsesTwelveHourClock(const QString &f, qsizetype i)
{
    QChar quote;
    for (; i < f.size(); ++i) {
        const QChar c = f[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c.toUpper() == QLatin1Char('A')) {
            return StartsWithAt(f, i, QStringLiteral("am/pm")) || StartsWithAt(f, i, QStringLiteral("a/p")) ||
                   StartsWithAt(f, i, QStringLiteral("ampm"));
        } else if (c.toUpper() == QLatin1Char('H')) {
            return false;
        }
    }
    return false;
}

// Nesting of the settings' formats (ddddd, c, t ...) stops at this depth, so a format that
// names itself cannot recurse without end.
constexpr int kMaxFormatDepth = 3;

void AppendFormat(QString &out, const QString &f, const TParts &p, const TFormatSettings &fs,
                  int depth)
{
    if (depth >= kMaxFormatDepth)
        return;
    QChar lastToken;
    for (qsizetype i = 0; i < f.size();) {
        const QChar c = f[i];
        QChar token = c.unicode() < 128 ? c.toUpper() : c;
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype end = f.indexOf(c, i + 1);
            if (end < 0)
                end = f.size();
            out += f.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        const bool letter = token >= QLatin1Char('A') && token <= QLatin1Char('Z');
        if (letter) {
            if (token == QLatin1Char('M') && lastToken == QLatin1Char('H'))
                token = QLatin1Char('N');
            lastToken = token;
        }
        int count = 1;
        while (i + count < f.size() && f[i + count].toUpper() == c.toUpper())
            ++count;
        const int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
        switch (token.unicode()) {
        case 'Y':
            out += count <= 2 ? Number(p.year % 100, 2) : Number(p.year, 4);
            break;
        case 'M':
            if (count <= 2)
                out += Number(p.month, count);
            else if (p.month >= 1)
                out += (count == 3 ? fs.ShortMonthNames : fs.LongMonthNames).value(p.month - 1);
            break;
        case 'D':
            if (count <= 2)
                out += Number(p.day, count);
            else if (count == 3)
                out += fs.ShortDayNames.value(p.dayOfWeek - 1);
            else if (count == 4)
                out += fs.LongDayNames.value(p.dayOfWeek - 1);
            else
                AppendFormat(out, count == 5 ? fs.ShortDateFormat : fs.LongDateFormat, p, fs, depth + 1);
            break;
        case 'H':
            out += Number(UsesTwelveHourClock(f, i + count) ? hour12 : p.hour, qMin(count, 2));
            break;
        case 'N':
            out += Number(p.minute, qMin(count, 2));
            break;
        case 'S':
            out += Number(p.second, qMin(count, 2));
            break;
        case 'Z':
            out += Number(p.msec, count == 1 ? 1 : 3);
            break;
        case 'T':
            AppendFormat(out, count == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, p, fs, depth + 1);
            break;
        case 'C':
            AppendFormat(out, fs.ShortDateFormat, p, fs, depth + 1);
            if (p.hour || p.minute || p.second || p.msec) {
                out += QLatin1Char(' ');
                AppendFormat(out, fs.LongTimeFormat, p, fs, depth + 1);
            }
            break;
        case 'A':
            count = 1;
            if (StartsWithAt(f, i, QStringLiteral("am/pm"))) {
                out += f.mid(p.hour >= 12 ? i + 3 : i, 2);
                count = 5;
            } else if (StartsWithAt(f, i, QStringLiteral("a/p"))) {
                out += f[p.hour >= 12 ? i + 2 : i];
                count = 3;
            } else if (StartsWithAt(f, i, QStringLiteral("ampm"))) {
                out += p.hour >= 12 ? fs.TimePMString : fs.TimeAMString;
                count = 4;
            } else {
                out += c;
            }
            break;
        case '/':
            count = 1;
            out += fs.DateSeparator;
            break;
        case ':':
            count = 1;
            out += fs.TimeSeparator;
            break;
        default:
            count = 1;
            out += c;
            break;
        }
        i += count;
    }
}

// ---- parsing ----

void SkipBlanks(const QString &s, qsizetype &pos)
{
    while (pos < s.size() && s[pos].unicode() <= 0x20)
        ++pos;
}

bool ScanNumber(const QString &s, qsizetype &pos, int &value, int &digits)
{
    SkipBlanks(s, pos);
    value = 0;
    digits = 0;
    while (pos < s.size() && s[pos] >= QLatin1Char('0') && s[pos] <= QLatin1Char('9')) {
        if (digits == 9)
            return false;
        value = value * 10 + (s[pos].unicode() - '0');
        ++digits;
        ++pos;
    }
    return digits > 0;
}

bool ScanChar(const QString &s, qsizetype &pos, QChar c)
{
    SkipBlanks(s, pos);
    if (pos < s.size() && s[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

enum class TDateOrder { MDY, DMY, YMD };

TDateOrder DateOrder(const QString &format)
{
    for (const QChar c : format) {
        switch (c.toUpper().unicode()) {
        case 'D': return TDateOrder::DMY;
        case 'Y': return TDateOrder::YMD;
        case 'M': return TDateOrder::MDY;
        default: break;
        }
    }
    return TDateOrder::MDY;
}

bool ScanDate(const QString &s, qsizetype &pos, const TFormatSettings &fs, TDateTime &date)
{
    int n1, n2, n3 = 0, l1, l2, l3 = 0;
    if (!ScanNumber(s, pos, n1, l1) || !ScanChar(s, pos, fs.DateSeparator) || !ScanNumber(s, pos, n2, l2))
        return false;
    const bool hasThird = ScanChar(s, pos, fs.DateSeparator);
    if (hasThird && !ScanNumber(s, pos, n3, l3))
        return false;
    int y, m, d, yearDigits = 4;
    const TDateOrder order = DateOrder(fs.ShortDateFormat);
    if (!hasThird) {
        y = QDate::currentDate().year();
        if (order == TDateOrder::DMY) {
            d = n1;
            m = n2;
        } else {
            m = n1;
            d = n2;
        }
    } else {
        switch (order) {
        case TDateOrder::MDY: m = n1; d = n2; y = n3; yearDigits = l3; break;
        case TDateOrder::DMY: d = n1; m = n2; y = n3; yearDigits = l3; break;
        case TDateOrder::YMD: y = n1; m = n2; d = n3; yearDigits = l1; break;
        }
        if (yearDigits <= 2) {
            const int base = QDate::currentDate().year() - fs.TwoDigitYearCenturyWindow;
            y += base / 100 * 100;
            if (fs.TwoDigitYearCenturyWindow > 0 && y < base)
                y += 100;
        }
    }
    return TryEncodeDate(y, m, d, date);
}

// 0 = AM, 1 = PM, -1 = neither, consuming what matched.
int ScanAmPm(const QString &s, qsizetype &pos, const TFormatSettings &fs)
{
    SkipBlanks(s, pos);
    const QString candidates[] = {fs.TimeAMString, fs.TimePMString, QStringLiteral("AM"), QStringLiteral("PM")};
    for (int k = 0; k < 4; ++k) {
        if (StartsWithAt(s, pos, candidates[k])) {
            pos += candidates[k].size();
            return k % 2;
        }
    }
    return -1;
}

bool ScanTime(const QString &s, qsizetype &pos, const TFormatSettings &fs, TDateTime &time)
{
    int ampm = ScanAmPm(s, pos, fs);
    int h, m = 0, sec = 0, ms = 0, len;
    if (!ScanNumber(s, pos, h, len))
        return false;
    if (ScanChar(s, pos, fs.TimeSeparator)) {
        if (!ScanNumber(s, pos, m, len))
            return false;
        if (ScanChar(s, pos, fs.TimeSeparator)) {
            if (!ScanNumber(s, pos, sec, len))
                return false;
            if ((ScanChar(s, pos, fs.DecimalSeparator) || ScanChar(s, pos, QLatin1Char('.'))) &&
                !ScanNumber(s, pos, ms, len))
                return false;
        }
    }
    if (ampm < 0)
        ampm = ScanAmPm(s, pos, fs);
    if (ampm >= 0) {
        if (h > 12)
            return false;
        if (h == 12)
            h = 0;
        if (ampm == 1)
            h += 12;
    }
    return TryEncodeTime(h, m, sec, ms, time);
}

bool AtEnd(const QString &s, qsizetype &pos)
{
    SkipBlanks(s, pos);
    return pos >= s.size();
}

[[noreturn]] void RaiseConvert(const QString &s, const char *what)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid %2").arg(s, QLatin1String(what)));
}

} // namespace

QString FloatToStr(double Value, const TFormatSettings &Settings)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    if (std::isinf(Value))
        return Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    const TDecimal d = ToDecimal(Value);
    if (d.digits.isEmpty())
        return QStringLiteral("0");
    QString out = Value < 0 ? QStringLiteral("-") : QString();
    if (d.exponent > 15 || d.exponent < -3) {
        out += d.digits[0];
        if (d.digits.size() > 1)
            out += Settings.DecimalSeparator + d.digits.mid(1);
        out += QLatin1Char('E') + QString::number(d.exponent - 1);
    } else if (d.exponent <= 0) {
        out += QLatin1Char('0') + QString(Settings.DecimalSeparator) + Zeros(-d.exponent) + d.digits;
    } else {
        out += d.digits.left(d.exponent) + Zeros(d.exponent - int(d.digits.size()));
        if (d.digits.size() > d.exponent)
            out += Settings.DecimalSeparator + d.digits.mid(d.exponent);
    }
    return out;
}

QString FormatFloat(const QString &Format, double Value, const TFormatSettings &Settings)
{
    if (Format.isEmpty() || !std::isfinite(Value))
        return FloatToStr(Value, Settings);
    const QStringList sections = SplitSections(Format);
    const bool negative = Value < 0;
    const int index = negative && sections.size() > 1 && !sections[1].isEmpty() ? 1 : 0;
    if (sections[index].isEmpty())
        return FloatToStr(Value, Settings);
    const TSection section = ParseSection(sections[index]);
    if (!section.scientific && std::fabs(Value) >= 1e18)
        return FloatToStr(Value, Settings);
    bool zero = false;
    QString text = RenderSection(section, ToDecimal(Value), Settings, zero);
    if (zero) {
        // A value that rounds to zero takes the zero section, without a sign.
        const int zeroIndex = sections.size() > 2 && !sections[2].isEmpty() ? 2 : 0;
        if (sections[zeroIndex].isEmpty())
            return FloatToStr(0, Settings);
        return RenderSection(ParseSection(sections[zeroIndex]), TDecimal(), Settings, zero);
    }
    if (negative && index == 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

bool TryStrToFloat(const QString &S, double &Value, const TFormatSettings &Settings)
{
    const QString &t = S;
    qsizetype pos = 0;
    SkipBlanks(t, pos);
    QString ascii;
    auto digitsAt = [&t, &pos, &ascii]() {
        int n = 0;
        while (pos < t.size() && t[pos] >= QLatin1Char('0') && t[pos] <= QLatin1Char('9')) {
            ascii += t[pos++];
            ++n;
        }
        return n;
    };
    if (pos < t.size() && (t[pos] == QLatin1Char('+') || t[pos] == QLatin1Char('-')))
        ascii += t[pos++];
    int mantissa = digitsAt();
    if (pos < t.size() && t[pos] == Settings.DecimalSeparator) {
        ++pos;
        ascii += QLatin1Char('.');
        mantissa += digitsAt();
    }
    if (mantissa == 0)
        return false;
    if (pos < t.size() && (t[pos] == QLatin1Char('E') || t[pos] == QLatin1Char('e'))) {
        ascii += QLatin1Char('e');
        ++pos;
        if (pos < t.size() && (t[pos] == QLatin1Char('+') || t[pos] == QLatin1Char('-')))
            ascii += t[pos++];
        if (digitsAt() == 0)
            return false;
    }
    if (!AtEnd(t, pos))
        return false;
    bool ok = false;
    const double v = QLocale::c().toDouble(ascii, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    Value = v;
    return true;
}

double StrToFloat(const QString &S, const TFormatSettings &Settings)
{
    double v;
    if (!TryStrToFloat(S, v, Settings))
        RaiseConvert(S, "floating point value");
    return v;
}

bool TryStrToInt(const QString &S, int &Value)
{
    qsizetype pos = 0;
    while (pos < S.size() && S[pos] == QLatin1Char(' '))
        ++pos;
    bool negative = false;
    if (pos < S.size() && (S[pos] == QLatin1Char('+') || S[pos] == QLatin1Char('-')))
        negative = S[pos++] == QLatin1Char('-');
    int base = 10;
    if (pos < S.size() && S[pos] == QLatin1Char('$')) {
        base = 16;
        ++pos;
    } else if (pos < S.size() && (S[pos] == QLatin1Char('x') || S[pos] == QLatin1Char('X'))) {
        base = 16;
        ++pos;
    } else if (pos + 1 < S.size() && S[pos] == QLatin1Char('0') &&
               (S[pos + 1] == QLatin1Char('x') || S[pos + 1] == QLatin1Char('X'))) {
        base = 16;
        pos += 2;
    }
    if (pos >= S.size())
        return false;
    quint64 magnitude = 0;
    const quint64 limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    for (; pos < S.size(); ++pos) {
        const char16_t c = QChar(S[pos]).toUpper().unicode();
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return false;
    }
    const qint32 bits = qint32(quint32(magnitude));
    Value = negative ? qint32(0u - quint32(bits)) : bits;
    return true;
}

int StrToInt(const QString &S)
{
    int v;
    if (!TryStrToInt(S, v))
        RaiseConvert(S, "integer value");
    return v;
}

int StrToIntDef(const QString &S, int Default)
{
    int v;
    return TryStrToInt(S, v) ? v : Default;
}

QString FormatDateTime(const QString &Format, TDateTime DateTime, const TFormatSettings &Settings)
{
    TParts p;
    DecodeDate(DateTime, p.year, p.month, p.day);
    DecodeTime(DateTime, p.hour, p.minute, p.second, p.msec);
    p.dayOfWeek = DayOfWeek(DateTime);
    QString out;
    AppendFormat(out, Format.isEmpty() ? QStringLiteral("c") : Format, p, Settings, 0);
    return out;
}

QString DateTimeToStr(TDateTime DateTime, const TFormatSettings &Settings)
{
    return FormatDateTime(QStringLiteral("c"), DateTime, Settings);
}

QString DateToStr(TDateTime DateTime, const TFormatSettings &Settings)
{
    return FormatDateTime(QStringLiteral("ddddd"), DateTime, Settings);
}

QString TimeToStr(TDateTime DateTime, const TFormatSettings &Settings)
{
    return FormatDateTime(QStringLiteral("tt"), DateTime, Settings);
}

bool TryStrToDate(const QString &S, TDateTime &Value, const TFormatSettings &Settings)
{
    qsizetype pos = 0;
    TDateTime d;
    if (!ScanDate(S, pos, Settings, d) || !AtEnd(S, pos))
        return false;
    Value = d;
    return true;
}

bool TryStrToTime(const QString &S, TDateTime &Value, const TFormatSettings &Settings)
{
    qsizetype pos = 0;
    TDateTime t;
    if (!ScanTime(S, pos, Settings, t) || !AtEnd(S, pos))
        return false;
    Value = t;
    return true;
}

bool TryStrToDateTime(const QString &S, TDateTime &Value, const TFormatSettings &Settings)
{
    qsizetype pos = 0;
    TDateTime d, t = 0;
    if (ScanDate(S, pos, Settings, d)) {
        if (AtEnd(S, pos) || (ScanTime(S, pos, Settings, t) && AtEnd(S, pos))) {
            Value = d < 0 ? d - t : d + t;
            return true;
        }
        return false;
    }
    return TryStrToTime(S, Value, Settings); // a time alone is a time on day zero
}

TDateTime StrToDateTime(const QString &S, const TFormatSettings &Settings)
{
    TDateTime v;
    if (!TryStrToDateTime(S, v, Settings))
        RaiseConvert(S, "date and time");
    return v;
}

TDateTime StrToDate(const QString &S, const TFormatSettings &Settings)
{
    TDateTime v;
    if (!TryStrToDate(S, v, Settings))
        RaiseConvert(S, "date");
    return v;
}

TDateTime StrToTime(const QString &S, const TFormatSettings &Settings)
{
    TDateTime v;
    if (!TryStrToTime(S, v, Settings))
        RaiseConvert(S, "time");
    return v;
}
