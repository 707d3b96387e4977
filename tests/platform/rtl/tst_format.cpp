#include <QtTest>

#include <limits>

#include "platform/rtl/datetime.h"
#include "platform/rtl/format.h"
#include "platform/rtl/sysutils.h"

class TestFormat : public QObject
{
    Q_OBJECT

private slots:
    void init() { FormatSettings = DefaultFormatSettings(); }

    void formatFloat_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << 1234.5 << "1234.5";
        QTest::newRow("0") << "0" << 1234.5 << "1235";
        QTest::newRow("0 negative half") << "0" << -0.5 << "-1";
        QTest::newRow("0.00") << "0.00" << 0.5 << "0.50";
        QTest::newRow("0.00 of 1.005") << "0.00" << 1.005 << "1.01";
        QTest::newRow("#.## of 0.5") << "#.##" << 0.5 << ".5";
        QTest::newRow("#.## of 0") << "#.##" << 0.0 << "0";
        QTest::newRow("#.## trims zeros") << "#.##" << 1234.0 << "1234";
        QTest::newRow("thousands") << "#,##0.00" << 1234567.891 << "1,234,567.89";
        QTest::newRow("thousands negative") << "#,##0.00" << -1234.0 << "-1,234.00";
        QTest::newRow("negative section") << "#,##0.00;(#,##0.00)" << -1234.0 << "(1,234.00)";
        QTest::newRow("zero section") << "#,##0.00;;Zero" << 0.0 << "Zero";
        QTest::newRow("rounds to zero section") << "0.0;-0.0;\"nil\"" << -0.04 << "nil";
        QTest::newRow("negative rounds to zero") << "0" << -0.4 << "0";
        QTest::newRow("E+00") << "0.000E+00" << 1234.0 << "1.234E+03";
        QTest::newRow("E+00 small") << "0.000E+00" << 0.5 << "5.000E-01";
        QTest::newRow("E+00 zero") << "0.000E+00" << 0.0 << "0.000E+00";
        QTest::newRow("E-0") << "#.###E-0" << 1234.0 << "1.234E3";
        QTest::newRow("E-0 small") << "#.###E-0" << 0.5 << "5E-1";
        QTest::newRow("E-0 zero") << "#.###E-0" << 0.0 << "0E0";
        QTest::newRow("e rounds up") << "0.0e+0" << 9.96 << "1.0e+1";
        QTest::newRow("quoted literals") << "'$'#,##0\" each\"" << 1500.0 << "$1,500 each";
        QTest::newRow("placeholders take digits from the right") << "000-0000" << 5551234.0 << "555-1234";
        QTest::newRow("leading zeros") << "00000" << 42.0 << "00042";
        QTest::newRow("rounding carries") << "0.00" << 9.999 << "10.00";
        QTest::newRow("huge fixed falls back") << "0" << 1e20 << "1E20";
    }
    void formatFloat()
    {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(FormatFloat(format, value), expected);
    }

    void formatFloatUsesSettings()
    {
        FormatSettings.DecimalSeparator = QLatin1Char(',');
        FormatSettings.ThousandSeparator = QLatin1Char('.');
        QCOMPARE(FormatFloat("#,##0.00", 1234.5), "1.234,50");
        QCOMPARE(FloatToStr(0.25), "0,25");
    }

    void floatToStr_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("integral") << 100.0 << "100";
        QTest::newRow("fraction") << -1.5 << "-1.5";
        QTest::newRow("15 digits") << 0.1 + 0.2 << "0.3";
        QTest::newRow("largest fixed") << 999999999999999.0 << "999999999999999";
        QTest::newRow("1E15") << 1e15 << "1E15";
        QTest::newRow("1.5E20") << 1.5e20 << "1.5E20";
        QTest::newRow("0.0001") << 0.0001 << "0.0001";
        QTest::newRow("1E-5") << 0.00001 << "1E-5";
        QTest::newRow("-1.25E-7") << -1.25e-7 << "-1.25E-7";
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "NAN";
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << "-INF";
    }
    void floatToStr()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(FloatToStr(value), expected);
    }

    void strToFloat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "12.5" << true << 12.5;
        QTest::newRow("blanks") << "  -12.5\t " << true << -12.5;
        QTest::newRow("exponent") << "1.5E3" << true << 1500.0;
        QTest::newRow("negative exponent") << "25e-2" << true << 0.25;
        QTest::newRow("point only after") << "3." << true << 3.0;
        QTest::newRow("point only before") << ".5" << true << 0.5;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("exponent without digits") << "1e" << false << 0.0;
        QTest::newRow("trailing junk") << "1.5x" << false << 0.0;
        QTest::newRow("comma not the separator") << "1,5" << false << 0.0;
        QTest::newRow("overflow") << "1e999" << false << 0.0;
    }
    void strToFloat()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, expected);
        double v = -1;
        QCOMPARE(TryStrToFloat(text, v), valid);
        if (valid) {
            QCOMPARE(v, expected);
            QCOMPARE(StrToFloat(text), expected);
        } else {
            try {
                StrToFloat(text);
                QFAIL("no error");
            } catch (const EConvertError &e) {
                QCOMPARE(e.Message(), QString("'%1' is not a valid floating point value").arg(text));
            }
        }
    }

    void strToFloatUsesSeparator()
    {
        FormatSettings.DecimalSeparator = QLatin1Char(',');
        QCOMPARE(StrToFloat("1,5"), 1.5);
        double v;
        QVERIFY(!TryStrToFloat("1.5", v));
    }

    void strToInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "123" << true << 123;
        QTest::newRow("leading blanks and sign") << "  -45" << true << -45;
        QTest::newRow("plus") << "+7" << true << 7;
        QTest::newRow("dollar hex") << "$FF" << true << 255;
        QTest::newRow("0x hex") << "0x1a" << true << 26;
        QTest::newRow("negative hex") << "-$10" << true << -16;
        QTest::newRow("hex bit pattern") << "$FFFFFFFF" << true << -1;
        QTest::newRow("max") << "2147483647" << true << 2147483647;
        QTest::newRow("min") << "-2147483648" << true << std::numeric_limits<int>::min();
        QTest::newRow("above max") << "2147483648" << false << 0;
        QTest::newRow("below min") << "-2147483649" << false << 0;
        QTest::newRow("hex too long") << "$100000000" << false << 0;
        QTest::newRow("trailing blank") << "12 " << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("fraction") << "1.0" << false << 0;
        QTest::newRow("prefix only") << "$" << false << 0;
    }
    void strToInt()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, expected);
        int v = 99;
        QCOMPARE(TryStrToInt(text, v), valid);
        QCOMPARE(StrToIntDef(text, -7), valid ? expected : -7);
        if (valid) {
            QCOMPARE(v, expected);
        } else {
            try {
                StrToInt(text);
                QFAIL("no error");
            } catch (const EConvertError &e) {
                QCOMPARE(e.Message(), QString("'%1' is not a valid integer value").arg(text));
            }
        }
    }

    void formatDateTime_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        // Value: Tuesday 2024-03-05 14:07:09.045.
        QTest::newRow("d m y") << "d/m/yy" << "5/3/24";
        QTest::newRow("dd mm yyyy") << "dd-mm-yyyy" << "05-03-2024";
        QTest::newRow("names") << "ddd dddd mmm mmmm" << "Tue Tuesday Mar March";
        QTest::newRow("ddddd") << "ddddd" << "3/5/2024";
        QTest::newRow("dddddd") << "dddddd" << "Tuesday, March 05, 2024";
        QTest::newRow("m after h is minutes") << "hh:mm" << "14:07";
        QTest::newRow("m after h with literal between") << "h' h 'm" << "14 h 7";
        QTest::newRow("m not after h is month") << "mm" << "03";
        QTest::newRow("n s z") << "n:s.z" << "7:9.45";
        QTest::newRow("nn ss zzz") << "nn:ss.zzz" << "07:09.045";
        QTest::newRow("am/pm") << "h:nn am/pm" << "2:07 pm";
        QTest::newRow("AM/PM") << "hh AM/PM" << "02 PM";
        QTest::newRow("a/p") << "h a/p" << "2 p";
        QTest::newRow("ampm") << "h ampm" << "2 PM";
        QTest::newRow("am/pm after another hour") << "h h am/pm" << "14 2 pm";
        QTest::newRow("quoted am/pm is literal") << "h 'ampm'" << "14 ampm";
        QTest::newRow("t") << "t" << "2:07 PM";
        QTest::newRow("tt") << "tt" << "2:07:09 PM";
        QTest::newRow("c") << "c" << "3/5/2024 2:07:09 PM";
        QTest::newRow("empty is c") << "" << "3/5/2024 2:07:09 PM";
        QTest::newRow("quoted letters") << "\"day\" d 'of' mmmm" << "day 5 of March";
        QTest::newRow("upper case letters") << "DD/MM/YYYY HH:NN" << "05/03/2024 14:07";
        QTest::newRow("other characters copied") << "[d]" << "[5]";
    }
    void formatDateTime()
    {
        QFETCH(QString, format);
        QFETCH(QString, expected);
        const TDateTime value = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
        QCOMPARE(FormatDateTime(format, value), expected);
    }

    void formatDateTimeSettings()
    {
        const TDateTime midnight = EncodeDate(2001, 12, 31);
        QCOMPARE(DateTimeToStr(midnight), "12/31/2001");
        QCOMPARE(FormatDateTime("h:nn am/pm", EncodeTime(0, 5, 0, 0)), "12:05 am");
        QCOMPARE(TimeToStr(EncodeTime(12, 0, 0, 0)), "12:00:00 PM");
        FormatSettings.DateSeparator = QLatin1Char('.');
        FormatSettings.TimeSeparator = QLatin1Char('-');
        FormatSettings.ShortDateFormat = "dd/mm/yyyy";
        FormatSettings.LongTimeFormat = "hh:nn:ss";
        QCOMPARE(DateToStr(midnight), "31.12.2001");
        QCOMPARE(DateTimeToStr(midnight + EncodeTime(9, 5, 0, 0)), "31.12.2001 09-05-00");
        // A settings format naming itself ends instead of recursing without end.
        FormatSettings.ShortDateFormat = "ddddd";
        QCOMPARE(DateToStr(midnight), "");
    }

    void strToDateTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kind"); // DateTime, Date or Time
        QTest::addColumn<QDateTime>("expected"); // invalid: not accepted
        QTest::newRow("date") << "3/5/2024" << "Date" << QDateTime(QDate(2024, 3, 5), QTime(0, 0));
        QTest::newRow("date with blanks") << " 3 / 5 / 2024 " << "Date" << QDateTime(QDate(2024, 3, 5), QTime(0, 0));
        QTest::newRow("date and time") << "3/5/2024 2:07:09 PM" << "DateTime"
                                       << QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
        QTest::newRow("24-hour time") << "12/31/1999 23:59" << "DateTime"
                                      << QDateTime(QDate(1999, 12, 31), QTime(23, 59));
        QTest::newRow("time alone") << "10:30" << "DateTime" << QDateTime(QDate(1899, 12, 30), QTime(10, 30));
        QTest::newRow("12 AM") << "12:00 am" << "Time" << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
        QTest::newRow("PM first") << "PM 1:15" << "Time" << QDateTime(QDate(1899, 12, 30), QTime(13, 15));
        QTest::newRow("milliseconds") << "1:02:03.456" << "Time" << QDateTime(QDate(1899, 12, 30), QTime(1, 2, 3, 456));
        QTest::newRow("13 PM") << "13:00 PM" << "Time" << QDateTime();
        QTest::newRow("Feb 30") << "2/30/2024" << "Date" << QDateTime();
        QTest::newRow("date alone refuses a time") << "3/5/2024 10:00" << "Date" << QDateTime();
        QTest::newRow("trailing junk") << "3/5/2024 x" << "DateTime" << QDateTime();
        QTest::newRow("text") << "x" << "DateTime" << QDateTime();
        QTest::newRow("minute 60") << "1:60" << "Time" << QDateTime();
    }
    void strToDateTime()
    {
        QFETCH(QString, text);
        QFETCH(QString, kind);
        QFETCH(QDateTime, expected);
        try {
            const TDateTime v = kind == "Date" ? StrToDate(text)
                                : kind == "Time" ? StrToTime(text)
                                                 : StrToDateTime(text);
            QVERIFY2(expected.isValid(), "accepted");
            QCOMPARE(DateTimeToQDateTime(v), expected);
        } catch (const EConvertError &e) {
            QVERIFY2(!expected.isValid(), qPrintable(e.Message()));
            const QString what = kind == "Date" ? "date" : kind == "Time" ? "time" : "date and time";
            QCOMPARE(e.Message(), QString("'%1' is not a valid %2").arg(text, what));
        }
    }

    void strToDateOrderAndYears()
    {
        FormatSettings.ShortDateFormat = "dd.mm.yyyy";
        FormatSettings.DateSeparator = QLatin1Char('.');
        QCOMPARE(StrToDate("5.3.2024"), EncodeDate(2024, 3, 5));
        const int year = QDate::currentDate().year();
        QCOMPARE(StrToDate("5.3"), EncodeDate(year, 3, 5));
        FormatSettings.ShortDateFormat = "yyyy/mm/dd";
        FormatSettings.DateSeparator = QLatin1Char('/');
        QCOMPARE(StrToDate("2024/3/5"), EncodeDate(2024, 3, 5));
        // Two-digit years land within the window around the current year.
        const auto twoDigits = [](int y) { return QString::number(y % 100).rightJustified(2, '0'); };
        QCOMPARE(StrToDate(twoDigits(year - 10) + "/1/2"), EncodeDate(year - 10, 1, 2));
        QCOMPARE(StrToDate(twoDigits(year + 10) + "/1/2"), EncodeDate(year + 10, 1, 2));
        // Four digits typed are taken as they are.
        QCOMPARE(StrToDate("0024/1/2"), EncodeDate(24, 1, 2));
        FormatSettings.TwoDigitYearCenturyWindow = 0;
        QCOMPARE(StrToDate(twoDigits(year + 10) + "/1/2"), EncodeDate(year / 100 * 100 + (year + 10) % 100, 1, 2));
    }
};

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
