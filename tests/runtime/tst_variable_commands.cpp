#include <QtTest>

#include <memory>

#include <climits>

#include "core/colors.h"
#include "objects/simple_text.h"
#include "platform/rtl/format.h"
#include "platform/rtl/sysutils.h"
#include "runtime/run_project_fixture.h"
#include "runtime/variable_commands.h"

namespace {

// The class of the platform exception a call raises; "" when it raises none.
template <typename F>
QString RaisedBy(F Call)
{
    try {
        Call();
    } catch (const EDivByZero &) {
        return QStringLiteral("EDivByZero");
    } catch (const EIntOverflow &) {
        return QStringLiteral("EIntOverflow");
    } catch (const EZeroDivide &) {
        return QStringLiteral("EZeroDivide");
    } catch (const EInvalidOp &) {
        return QStringLiteral("EInvalidOp");
    } catch (const EConvertError &) {
        return QStringLiteral("EConvertError");
    } catch (const Exception &e) {
        return QStringLiteral("Exception: ") + e.Message();
    }
    return QString();
}

TZvSimpleText *SimpleTextOf(PZvObject Object)
{
    return Object ? dynamic_cast<TZvSimpleText *>(Object->ObjectControl) : nullptr;
}

std::unique_ptr<TZvAction> Action(const QString &Param1, const QString &Param2, const QString &Param3, int OptionInt)
{
    auto action = std::make_unique<TZvAction>();
    action->Param1 = Param1;
    action->Param2 = Param2;
    action->Param3 = Param3;
    action->OptionInt = OptionInt;
    return action;
}

const TDateTime kJan31 = EncodeDate(2024, 1, 31) + EncodeTime(13, 45, 30, 250);

} // namespace

class TestVariableCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { FormatSettings = DefaultFormatSettings(); }

    // V is "Substring and Result" / the text, W the second text or count, X the new pattern.
    void stringOperations_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("vString");
        QTest::addColumn<int>("vInt");
        QTest::addColumn<bool>("vBool");
        QTest::addColumn<QString>("wString");
        QTest::addColumn<int>("wInt");
        QTest::addColumn<bool>("wBool");
        QTest::addColumn<QString>("xString");
        QTest::addColumn<QString>("resultString");
        QTest::addColumn<int>("resultInt");

        const QString abc = QStringLiteral("abcdef");
        QTest::newRow("part") << 0 << abc << 3 << false << "" << 2 << false << "" << "cd" << 3;
        QTest::newRow("part from 0") << 0 << abc << 0 << false << "" << 2 << false << "" << "ab" << 0;
        QTest::newRow("part from -5") << 0 << abc << -5 << false << "" << 2 << false << "" << "ab" << -5;
        QTest::newRow("part past the end") << 0 << abc << 3 << false << "" << 10 << false << "" << "cdef" << 3;
        QTest::newRow("part of 0") << 0 << abc << 3 << false << "" << 0 << false << "" << "" << 3;
        QTest::newRow("part of -1") << 0 << abc << 3 << false << "" << -1 << false << "" << "" << 3;
        QTest::newRow("part after the text") << 0 << abc << 7 << false << "" << 2 << false << "" << "" << 7;
        QTest::newRow("part, huge count") << 0 << abc << 2 << false << "" << INT_MAX << false << "" << "bcdef" << 2;
        QTest::newRow("delete") << 1 << abc << 3 << false << "" << 2 << false << "" << "abef" << 3;
        QTest::newRow("delete past the end") << 1 << abc << 5 << false << "" << 10 << false << "" << "abcd" << 5;
        QTest::newRow("delete from 0") << 1 << abc << 0 << false << "" << 2 << false << "" << abc << 0;
        QTest::newRow("delete after the text") << 1 << abc << 7 << false << "" << 1 << false << "" << abc << 7;
        QTest::newRow("delete 0") << 1 << abc << 3 << false << "" << 0 << false << "" << abc << 3;
        QTest::newRow("length") << 2 << abc << 0 << false << "" << 0 << false << "" << abc << 6;
        QTest::newRow("length counts UTF-16 units")
            << 2 << QString::fromUtf8("a\xF0\x9F\x98\x80") << 0 << false << "" << 0 << false << ""
            << QString::fromUtf8("a\xF0\x9F\x98\x80") << 3;
        QTest::newRow("lower case A..Z only")
            << 3 << QString::fromUtf8("AbZ \xC3\x84 1") << 9 << false << "" << 0 << false << ""
            << QString::fromUtf8("abz \xC3\x84 1") << 9;
        QTest::newRow("upper case a..z only")
            << 4 << QString::fromUtf8("aBz \xC3\xA4") << 9 << false << "" << 0 << false << ""
            << QString::fromUtf8("ABZ \xC3\xA4") << 9;
        QTest::newRow("pos") << 5 << "cd" << 9 << false << abc << 0 << false << "" << "cd" << 3;
        QTest::newRow("pos absent") << 5 << "xy" << 9 << false << abc << 0 << false << "" << "xy" << 0;
        QTest::newRow("pos of empty") << 5 << "" << 9 << false << abc << 0 << false << "" << "" << 0;
        QTest::newRow("replace first") << 6 << "aAa" << 0 << false << "a" << 0 << false << "x" << "xAa" << 0;
        QTest::newRow("replace all") << 6 << "aAa" << 0 << true << "a" << 0 << false << "x" << "xAx" << 0;
        QTest::newRow("replace all, any case") << 6 << "aAa" << 0 << true << "a" << 0 << true << "x" << "xxx" << 0;
        QTest::newRow("replace first, any case") << 6 << "bAa" << 0 << false << "a" << 0 << true << "x" << "bxa" << 0;
        QTest::newRow("replace with longer") << 6 << "a-a" << 0 << true << "a" << 0 << false << "aa" << "aa-aa" << 0;
        QTest::newRow("trim") << 7 << " \t ab c\r\n " << 0 << false << "" << 0 << false << "" << "ab c" << 0;
        QTest::newRow("option 8") << 8 << " abc " << 1 << false << "" << 1 << false << "" << " abc " << 1;
        QTest::newRow("option -1") << -1 << " abc " << 1 << false << "" << 1 << false << "" << " abc " << 1;
    }

    void stringOperations()
    {
        QFETCH(int, option);
        QFETCH(QString, vString);
        QFETCH(int, vInt);
        QFETCH(bool, vBool);
        QFETCH(QString, wString);
        QFETCH(int, wInt);
        QFETCH(bool, wBool);
        QFETCH(QString, xString);
        QFETCH(QString, resultString);
        QFETCH(int, resultInt);

        TSimpleTextValues v, w, x;
        v.StringValue = vString;
        v.IntegerValue = vInt;
        v.BooleanValue = vBool;
        w.StringValue = wString;
        w.IntegerValue = wInt;
        w.BooleanValue = wBool;
        x.StringValue = xString;
        DoStringOperation(&v, &w, &x, option);
        QCOMPARE(v.StringValue, resultString);
        QCOMPARE(v.IntegerValue, resultInt);
        QCOMPARE(v.BooleanValue, vBool);
        QCOMPARE(w.StringValue, wString);
        QCOMPARE(w.IntegerValue, wInt);
    }

    void stringOperationsNeedTheirVariables()
    {
        TSimpleTextValues v, w;
        v.StringValue = QStringLiteral("abcdef");
        v.IntegerValue = 2;
        w.StringValue = QStringLiteral("b");
        w.IntegerValue = 2;
        for (int option : {0, 1, 5})
            DoStringOperation(&v, nullptr, nullptr, option);
        DoStringOperation(&v, &w, nullptr, 6); // replace without its new pattern
        QCOMPARE(v.StringValue, QStringLiteral("abcdef"));
        QCOMPARE(v.IntegerValue, 2);

        // The operations on V alone run without W and X.
        DoStringOperation(&v, nullptr, nullptr, 2);
        QCOMPARE(v.IntegerValue, 6);
        DoStringOperation(nullptr, &w, &w, 0);
        QCOMPARE(w.StringValue, QStringLiteral("b"));
    }

    void colorOperations_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("color");
        QTest::addColumn<int>("integer");
        QTest::addColumn<int>("resultColor");
        QTest::addColumn<int>("resultInteger");

        const TColor face = ColorToRGB(clBtnFace);
        QTest::newRow("red") << 0 << 0x00332211 << 7 << 0x00332211 << 0x11;
        QTest::newRow("green") << 1 << 0x00332211 << 7 << 0x00332211 << 0x22;
        QTest::newRow("blue") << 2 << 0x00332211 << 7 << 0x00332211 << 0x33;
        QTest::newRow("red of button face") << 0 << int(clBtnFace) << 7 << int(clBtnFace) << (face & 0xFF);
        QTest::newRow("blue of button face") << 2 << int(clBtnFace) << 7 << int(clBtnFace) << ((face >> 16) & 0xFF);
        QTest::newRow("red of no colour") << 0 << int(clNone) << 7 << int(clNone) << 0;
        QTest::newRow("set red, low byte") << 3 << 0x00332211 << 0x1FF << 0x003322FF << 0x1FF;
        QTest::newRow("set green") << 4 << 0x00332211 << 0xAB << 0x0033AB11 << 0xAB;
        QTest::newRow("set blue") << 5 << 0x00332211 << -1 << 0x00FF2211 << -1;
        QTest::newRow("set blue of button face")
            << 5 << int(clBtnFace) << 0 << int(face & 0x00FFFF) << 0;
        QTest::newRow("set red of no colour") << 3 << int(clNone) << 5 << 0x000005 << 5;
        QTest::newRow("option 6") << 6 << int(clBtnFace) << 7 << int(clBtnFace) << 7;
        QTest::newRow("option -1") << -1 << int(clBtnFace) << 7 << int(clBtnFace) << 7;
    }

    void colorOperations()
    {
        QFETCH(int, option);
        QFETCH(int, color);
        QFETCH(int, integer);
        QFETCH(int, resultColor);
        QFETCH(int, resultInteger);

        TSimpleTextValues v;
        v.ColorValue = color;
        v.IntegerValue = integer;
        DoColorOperation(&v, option);
        QCOMPARE(v.ColorValue, resultColor);
        QCOMPARE(v.IntegerValue, resultInteger);
        DoColorOperation(nullptr, option);
    }

    void dateTimeParts_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("expected");
        const char *names[] = {"year", "month", "day", "hour", "minute", "second", "millisecond"};
        const int parts[] = {2024, 1, 31, 13, 45, 30, 250};
        for (int i = 0; i < 7; ++i)
            QTest::newRow(names[i]) << 2 + i << parts[i];
    }

    void dateTimeParts()
    {
        QFETCH(int, option);
        QFETCH(int, expected);
        TSimpleTextValues v;
        v.DateTimeValue = kJan31;
        DoDateTimeOperation(&v, option);
        QCOMPARE(v.IntegerValue, expected);
        QCOMPARE(v.DateTimeValue, kJan31);
    }

    // Each row: the value, the set operation and its integer; the result, or the raised
    // error with the value unchanged.
    void setDateTimeParts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("integer");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("raised");

        const double feb10 = EncodeDate(2024, 2, 10) + EncodeTime(8, 0, 0, 0);
        const QString error = QStringLiteral("EConvertError");
        QTest::newRow("year") << kJan31 << 9 << 2023
                              << EncodeDate(2023, 1, 31) + EncodeTime(13, 45, 30, 250) << "";
        QTest::newRow("year from the low 16 bits") << kJan31 << 9 << 0x10000 + 2000
                                                   << EncodeDate(2000, 1, 31) + EncodeTime(13, 45, 30, 250) << "";
        QTest::newRow("year 0") << kJan31 << 9 << 0 << kJan31 << error;
        QTest::newRow("month 2 on January 31") << kJan31 << 10 << 2 << kJan31 << error;
        QTest::newRow("month 13") << kJan31 << 10 << 13 << kJan31 << error;
        QTest::newRow("month 12") << kJan31 << 10 << 12
                                  << EncodeDate(2024, 12, 31) + EncodeTime(13, 45, 30, 250) << "";
        QTest::newRow("day 29 in a leap February") << feb10 << 11 << 29
                                                   << EncodeDate(2024, 2, 29) + EncodeTime(8, 0, 0, 0) << "";
        QTest::newRow("day 30 in February") << feb10 << 11 << 30 << feb10 << error;
        QTest::newRow("day -1 is 65535") << feb10 << 11 << -1 << feb10 << error;
        QTest::newRow("hour") << kJan31 << 12 << 0 << EncodeDate(2024, 1, 31) + EncodeTime(0, 45, 30, 250) << "";
        QTest::newRow("hour 24") << kJan31 << 12 << 24 << kJan31 << error;
        QTest::newRow("minute 60") << kJan31 << 13 << 60 << kJan31 << error;
        QTest::newRow("second") << kJan31 << 14 << 59 << EncodeDate(2024, 1, 31) + EncodeTime(13, 45, 59, 250) << "";
        QTest::newRow("millisecond") << kJan31 << 15 << 999
                                     << EncodeDate(2024, 1, 31) + EncodeTime(13, 45, 30, 999) << "";
        QTest::newRow("millisecond 1000") << kJan31 << 15 << 1000 << kJan31 << error;
        // Before 1899-12-30 the time of day counts away from zero: -1.25 is the 29th at 06:00.
        QTest::newRow("hour before 1899-12-30") << -1.25 << 12 << 12 << -1.5 << "";
        QTest::newRow("day before 1899-12-30") << -1.25 << 11 << 28 << -2.25 << "";
    }

    void setDateTimeParts()
    {
        QFETCH(double, value);
        QFETCH(int, option);
        QFETCH(int, integer);
        QFETCH(double, expected);
        QFETCH(QString, raised);

        TSimpleTextValues v;
        v.DateTimeValue = value;
        v.IntegerValue = integer;
        QCOMPARE(RaisedBy([&] { DoDateTimeOperation(&v, option); }), raised);
        QCOMPARE(v.DateTimeValue, expected);
        QCOMPARE(v.IntegerValue, integer);
    }

    void formatDateTime_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("letters") << kJan31 << "yyyy-mm-dd hh:nn:ss.zzz" << "2024-01-31 13:45:30.250";
        QTest::newRow("empty") << kJan31 << "" << "1/31/2024 1:45:30 PM";
        QTest::newRow("empty at midnight") << EncodeDate(2024, 1, 31) << "" << "1/31/2024";
        QTest::newRow("literal") << kJan31 << "'day' d" << "day 31";
    }

    void formatDateTime()
    {
        QFETCH(double, value);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        TSimpleTextValues v;
        v.DateTimeValue = value;
        v.StringValue = format;
        DoDateTimeOperation(&v, 1);
        QCOMPARE(v.StringValue, expected);
        QCOMPARE(v.DateTimeValue, value);
    }

    void nowKeepsMilliseconds()
    {
        TSimpleTextValues v;
        v.DateTimeValue = 0;
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        DoDateTimeOperation(&v, 0);
        const qint64 after = QDateTime::currentMSecsSinceEpoch();
        // A value cut to the second would fall before the moment it was taken.
        const qint64 taken = DateTimeToQDateTime(v.DateTimeValue).toMSecsSinceEpoch();
        QVERIFY2(before <= taken && taken <= after,
                 qPrintable(QStringLiteral("%1 <= %2 <= %3").arg(before).arg(taken).arg(after)));
    }

    void dateTimeOptionsOutsideTheTable()
    {
        for (int option : {16, -1, 100}) {
            TSimpleTextValues v;
            v.DateTimeValue = kJan31;
            v.IntegerValue = 5;
            v.StringValue = QStringLiteral("yyyy");
            DoDateTimeOperation(&v, option);
            QCOMPARE(v.DateTimeValue, kJan31);
            QCOMPARE(v.IntegerValue, 5);
            QCOMPARE(v.StringValue, QStringLiteral("yyyy"));
        }
        DoDateTimeOperation(nullptr, 0);
    }

    // X starts at 99 / 99.5; each row gives Y and Z and the expected X.
    void arithmetic_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("yInt");
        QTest::addColumn<double>("yFloat");
        QTest::addColumn<int>("zInt");
        QTest::addColumn<double>("zFloat");
        QTest::addColumn<int>("xInt");
        QTest::addColumn<double>("xFloat");

        QTest::newRow("1 int sum") << 1 << 7 << 0.0 << -2 << 0.0 << 5 << 99.5;
        QTest::newRow("1 wraps") << 1 << INT_MAX << 0.0 << 1 << 0.0 << INT_MIN << 99.5;
        QTest::newRow("2 float sum") << 2 << 0 << 1.5 << 0 << 0.25 << 99 << 1.75;
        QTest::newRow("3 float + int") << 3 << 100 << 1.5 << 2 << 100.0 << 99 << 3.5;
        QTest::newRow("4 int + float") << 4 << 2 << 100.0 << 100 << 0.25 << 99 << 2.25;
        QTest::newRow("5 wraps before the float") << 5 << INT_MAX << 0.0 << 1 << 0.0 << 99 << -2147483648.0;
        QTest::newRow("6 int difference") << 6 << 2 << 0.0 << 7 << 0.0 << -5 << 99.5;
        QTest::newRow("6 wraps") << 6 << INT_MIN << 0.0 << 1 << 0.0 << INT_MAX << 99.5;
        QTest::newRow("7 float difference") << 7 << 0 << 1.0 << 0 << 0.25 << 99 << 0.75;
        QTest::newRow("8 float - int") << 8 << 0 << 1.0 << 2 << 0.0 << 99 << -1.0;
        QTest::newRow("9 int - float") << 9 << 2 << 0.0 << 0 << 0.5 << 99 << 1.5;
        QTest::newRow("10 wraps before the float") << 10 << INT_MIN << 0.0 << 1 << 0.0 << 99 << 2147483647.0;
        QTest::newRow("11 int product") << 11 << -6 << 0.0 << 7 << 0.0 << -42 << 99.5;
        QTest::newRow("11 wraps") << 11 << 65536 << 0.0 << 65536 << 0.0 << 0 << 99.5;
        QTest::newRow("12 float product") << 12 << 0 << 1.5 << 0 << -2.0 << 99 << -3.0;
        QTest::newRow("13 float * int") << 13 << 0 << 1.5 << 3 << 0.0 << 99 << 4.5;
        QTest::newRow("14 int * float") << 14 << 3 << 0.0 << 0 << 0.5 << 99 << 1.5;
        QTest::newRow("15 wraps before the float") << 15 << 65536 << 0.0 << 65537 << 0.0 << 99 << 65536.0;
        QTest::newRow("16 int quotient") << 16 << 7 << 0.0 << 2 << 0.0 << 3 << 99.5;
        QTest::newRow("16 truncates toward zero") << 16 << -7 << 0.0 << 2 << 0.0 << -3 << 99.5;
        QTest::newRow("17 float quotient") << 17 << 0 << 7.0 << 0 << 2.0 << 99 << 3.5;
        QTest::newRow("18 float / int") << 18 << 0 << 7.5 << 2 << 0.0 << 99 << 3.75;
        QTest::newRow("19 int / float") << 19 << 7 << 0.0 << 0 << 2.5 << 99 << 2.8;
        QTest::newRow("20 int / int as floats") << 20 << 7 << 0.0 << 2 << 0.0 << 99 << 3.5;
        QTest::newRow("20 negative") << 20 << -7 << 0.0 << 2 << 0.0 << 99 << -3.5;
        QTest::newRow("option 21") << 21 << 7 << 7.0 << 2 << 2.0 << 99 << 99.5;
        QTest::newRow("option -1") << -1 << 7 << 7.0 << 2 << 2.0 << 99 << 99.5;
    }

    void arithmetic()
    {
        QFETCH(int, option);
        QFETCH(int, yInt);
        QFETCH(double, yFloat);
        QFETCH(int, zInt);
        QFETCH(double, zFloat);
        QFETCH(int, xInt);
        QFETCH(double, xFloat);

        TSimpleTextValues x, y, z;
        x.IntegerValue = 99;
        x.FloatValue = 99.5;
        x.StringValue = QStringLiteral("x");
        y.IntegerValue = yInt;
        y.FloatValue = yFloat;
        z.IntegerValue = zInt;
        z.FloatValue = zFloat;
        DoArithmeticOperation(&x, &y, &z, option);
        QCOMPARE(x.IntegerValue, xInt);
        QCOMPARE(x.FloatValue, xFloat);
        QCOMPARE(x.StringValue, QStringLiteral("x"));
    }

    void concatenationAndAliasedVariables()
    {
        TSimpleTextValues x, y, z;
        y.StringValue = QStringLiteral("ab");
        z.StringValue = QStringLiteral("cd");
        DoArithmeticOperation(&x, &y, &z, 0);
        QCOMPARE(x.StringValue, QStringLiteral("abcd"));

        // One variable as result and both operands.
        x.StringValue = QStringLiteral("ha");
        x.FloatValue = 1.5;
        DoArithmeticOperation(&x, &x, &x, 0);
        DoArithmeticOperation(&x, &x, &x, 12);
        QCOMPARE(x.StringValue, QStringLiteral("haha"));
        QCOMPARE(x.FloatValue, 2.25);

        // All three variables are needed, concatenation included.
        for (int option : {0, 1, 17}) {
            TSimpleTextValues r;
            r.IntegerValue = 5;
            r.FloatValue = 5;
            DoArithmeticOperation(&r, &y, nullptr, option);
            DoArithmeticOperation(&r, nullptr, &z, option);
            DoArithmeticOperation(nullptr, &y, &z, option);
            QCOMPARE(r.StringValue, QString());
            QCOMPARE(r.IntegerValue, 5);
            QCOMPARE(r.FloatValue, 5.0);
        }
    }

    void divisionFaults_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("yInt");
        QTest::addColumn<double>("yFloat");
        QTest::addColumn<int>("zInt");
        QTest::addColumn<double>("zFloat");
        QTest::addColumn<QString>("raised");

        QTest::newRow("16 by zero") << 16 << 7 << 0.0 << 0 << 0.0 << "EDivByZero";
        QTest::newRow("16 INT_MIN by -1") << 16 << INT_MIN << 0.0 << -1 << 0.0 << "EIntOverflow";
        QTest::newRow("17 by zero") << 17 << 0 << 1.0 << 0 << 0.0 << "EZeroDivide";
        QTest::newRow("17 zero by zero") << 17 << 0 << 0.0 << 0 << 0.0 << "EInvalidOp";
        QTest::newRow("18 by zero") << 18 << 0 << -1.0 << 0 << 5.0 << "EZeroDivide";
        QTest::newRow("19 zero by zero") << 19 << 0 << 5.0 << 0 << 0.0 << "EInvalidOp";
        QTest::newRow("20 by zero") << 20 << 5 << 0.0 << 0 << 0.0 << "EZeroDivide";
        QTest::newRow("20 zero by zero") << 20 << 0 << 0.0 << 0 << 0.0 << "EInvalidOp";
    }

    void divisionFaults()
    {
        QFETCH(int, option);
        QFETCH(int, yInt);
        QFETCH(double, yFloat);
        QFETCH(int, zInt);
        QFETCH(double, zFloat);
        QFETCH(QString, raised);

        TSimpleTextValues x, y, z;
        x.IntegerValue = 99;
        x.FloatValue = 99.5;
        y.IntegerValue = yInt;
        y.FloatValue = yFloat;
        z.IntegerValue = zInt;
        z.FloatValue = zFloat;
        QCOMPARE(RaisedBy([&] { DoArithmeticOperation(&x, &y, &z, option); }), raised);
        QCOMPARE(x.IntegerValue, 99);
        QCOMPARE(x.FloatValue, 99.5);
    }

    // The window's commands find their variables by path on the page; a parameter naming no
    // simple text makes the command do nothing.
    void commandsOnAPage()
    {
        TRunProjectFixture project;
        TZvSimpleText *v = SimpleTextOf(project.AddObject(project.Page(), otSimpleText, QStringLiteral("V")));
        TZvSimpleText *w = SimpleTextOf(project.AddObject(project.Page(), otSimpleText, QStringLiteral("W"), 10, 40));
        PZvObject box = project.AddObject(project.Page(), otPanel, QStringLiteral("Box"), 150, 10);
        TZvSimpleText *inner = SimpleTextOf(project.AddObject(box, otSimpleText, QStringLiteral("Inner")));
        project.AddButton(QStringLiteral("Button"), 10, 80);
        QVERIFY(v && w && inner);

        QCOMPARE(VariableObjectOf(RunForm, QStringLiteral("Box.Inner")), inner);
        QCOMPARE(VariableObjectOf(RunForm, QStringLiteral("Inner")), nullptr);
        QCOMPARE(VariableObjectOf(RunForm, QStringLiteral("Button")), nullptr);
        QCOMPARE(VariableObjectOf(RunForm, QStringLiteral("Box")), nullptr);
        QCOMPARE(VariableObjectOf(RunForm, QString()), nullptr);
        QCOMPARE(VariableObjectOf(nullptr, QStringLiteral("V")), nullptr);

        v->StringValue = QStringLiteral("abcdef");
        v->IntegerValue = 3;
        w->IntegerValue = 2;
        DoStringCommand(RunForm, *Action(QStringLiteral("V"), QStringLiteral("Button"), QString(), 0));
        DoStringCommand(RunForm, *Action(QStringLiteral("V"), QStringLiteral("Nowhere"), QString(), 0));
        QCOMPARE(v->StringValue, QStringLiteral("abcdef"));
        DoStringCommand(RunForm, *Action(QStringLiteral("V"), QStringLiteral("W"), QString(), 0));
        QCOMPARE(v->StringValue, QStringLiteral("cd"));

        v->ColorValue = 0x00332211;
        DoColorCommand(RunForm, *Action(QStringLiteral("Button"), QString(), QString(), 2));
        QCOMPARE(v->IntegerValue, 3);
        DoColorCommand(RunForm, *Action(QStringLiteral("V"), QString(), QString(), 2));
        QCOMPARE(v->IntegerValue, 0x33);

        inner->DateTimeValue = kJan31;
        DoDateTimeCommand(RunForm, *Action(QStringLiteral("Inner"), QString(), QString(), 2));
        QCOMPARE(inner->IntegerValue, 0);
        DoDateTimeCommand(RunForm, *Action(QStringLiteral("Box.Inner"), QString(), QString(), 2));
        QCOMPARE(inner->IntegerValue, 2024);

        // X := Y + Z with the result in the nested variable.
        v->IntegerValue = 40;
        w->IntegerValue = 2;
        DoArithmeticCommand(RunForm, *Action(QStringLiteral("Box.Inner"), QStringLiteral("V"), QString(), 1));
        DoArithmeticCommand(RunForm,
                            *Action(QStringLiteral("Box.Inner"), QStringLiteral("V"), QStringLiteral("Box"), 1));
        QCOMPARE(inner->IntegerValue, 2024);
        DoArithmeticCommand(RunForm, *Action(QStringLiteral("Box.Inner"), QStringLiteral("V"), QStringLiteral("W"), 1));
        QCOMPARE(inner->IntegerValue, 42);

        // A fault leaves the command, and the result, as it was.
        w->IntegerValue = 0;
        QCOMPARE(RaisedBy([&] {
                     DoArithmeticCommand(RunForm, *Action(QStringLiteral("Box.Inner"), QStringLiteral("V"),
                                                         QStringLiteral("W"), 16));
                 }),
                 QStringLiteral("EDivByZero"));
        QCOMPARE(inner->IntegerValue, 42);
    }
};

QTEST_MAIN(TestVariableCommands)
#include "tst_variable_commands.moc"
