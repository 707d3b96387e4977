// Number and date formatting and parsing with the platform's own format letters (not Qt's).
// Every routine takes a TFormatSettings, by default the global FormatSettings, which starts
// as the classic US English settings and which tests pin.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include "platform/rtl/datetime.h"

struct TFormatSettings {
    QChar DecimalSeparator = QLatin1Char('.');
    QChar ThousandSeparator = QLatin1Char(',');
    QChar DateSeparator = QLatin1Char('/');
    QChar TimeSeparator = QLatin1Char(':');
    QString ShortDateFormat = QStringLiteral("M/d/yyyy");
    QString LongDateFormat = QStringLiteral("dddd, MMMM dd, yyyy");
    QString ShortTimeFormat = QStringLiteral("h:mm AMPM");
    QString LongTimeFormat = QStringLiteral("h:mm:ss AMPM");
    QString TimeAMString = QStringLiteral("AM");
    QString TimePMString = QStringLiteral("PM");
    // January first / Sunday first.
    QStringList ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QStringList LongMonthNames = {"January", "February", "March",     "April",
                                  "May",     "June",     "July",      "August",
                                  "September", "October", "November", "December"};
    QStringList ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    QStringList LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                "Thursday", "Friday", "Saturday"};
    // A two-digit year read by StrToDate lands within this many years before the current
    // year and 100 - window years after it; 0 puts it in the current century.
    int TwoDigitYearCenturyWindow = 50;
};

extern TFormatSettings FormatSettings;
TFormatSettings DefaultFormatSettings();

// Format sections "positive;negative;zero" made of 0 (digit), # (optional digit), . (decimal
// separator), , (thousands grouping anywhere in the section), E+ E- e+ e- followed by 0s
// (exponent and its least digit count), "..." and '...' literals; other characters are
// copied. Values are taken to 15 significant digits, then rounded half away from zero. An
// empty format gives FloatToStr's text; values of 1E18 and more in fixed sections too.
QString FormatFloat(const QString &Format, double Value,
                    const TFormatSettings &Settings = FormatSettings);
// 15 significant digits without trailing zeros; exponent form ("1.5E20", "1E-5") when the
// decimal exponent is over 15 or the value is under 0.0001. NAN, INF, -INF for the rest.
QString FloatToStr(double Value, const TFormatSettings &Settings = FormatSettings);

// Blanks may surround the number; the decimal separator is the settings'; an exponent may
// follow. EConvertError: "'S' is not a valid floating point value".
double StrToFloat(const QString &S, const TFormatSettings &Settings = FormatSettings);
bool TryStrToFloat(const QString &S, double &Value,
                   const TFormatSettings &Settings = FormatSettings);

// Optional leading blanks and sign, then decimal digits, or hex after "$", "0x" or "x".
// Decimal values must fit in 32 bits; hex values are 32-bit patterns ($FFFFFFFF = -1).
// EConvertError: "'S' is not a valid integer value".
int StrToInt(const QString &S);
bool TryStrToInt(const QString &S, int &Value);
int StrToIntDef(const QString &S, int Default);

// Letters, case-insensitive: c (short date, then long time unless midnight), d dd ddd dddd
// ddddd (short date) dddddd (long date), m mm mmm mmmm (minutes right after h or hh),
// yy yyyy, h hh (12-hour when an am/pm follows), n nn (minutes), s ss, z zzz, t (short time),
// tt (long time), am/pm, a/p, ampm (the settings' strings); / and : are the settings'
// separators; "..." and '...' are literals. An empty format is "c".
QString FormatDateTime(const QString &Format, TDateTime DateTime,
                       const TFormatSettings &Settings = FormatSettings);
QString DateTimeToStr(TDateTime DateTime, const TFormatSettings &Settings = FormatSettings);
QString DateToStr(TDateTime DateTime, const TFormatSettings &Settings = FormatSettings);
QString TimeToStr(TDateTime DateTime, const TFormatSettings &Settings = FormatSettings);

// Read numbers in the order of ShortDateFormat's d, m and y, separated by DateSeparator (a
// missing year is the current one), and hour[:min[:sec[.msec]]] with TimeSeparator and an
// optional AM/PM. EConvertError: "'S' is not a valid date and time" / "date" / "time".
TDateTime StrToDateTime(const QString &S, const TFormatSettings &Settings = FormatSettings);
TDateTime StrToDate(const QString &S, const TFormatSettings &Settings = FormatSettings);
TDateTime StrToTime(const QString &S, const TFormatSettings &Settings = FormatSettings);
bool TryStrToDateTime(const QString &S, TDateTime &Value,
                      const TFormatSettings &Settings = FormatSettings);
bool TryStrToDate(const QString &S, TDateTime &Value,
                  const TFormatSettings &Settings = FormatSettings);
bool TryStrToTime(const QString &S, TDateTime &Value,
                  const TFormatSettings &Settings = FormatSettings);
