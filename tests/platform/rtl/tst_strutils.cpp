#include <QtTest>

#include <limits>

#include "platform/rtl/strutils.h"
#include "platform/rtl/sysutils.h"

class TestStrUtils : public QObject
{
    Q_OBJECT

private slots:
    void copy_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::newRow("middle") << 2 << 3 << "bcd";
        QTest::newRow("index 0 counts from the start") << 0 << 2 << "ab";
        QTest::newRow("negative index") << -5 << 1 << "a";
        QTest::newRow("count past the end") << 4 << 100 << "de";
        QTest::newRow("index past the end") << 6 << 1 << "";
        QTest::newRow("negative count") << 2 << -1 << "";
        QTest::newRow("huge count") << 1 << std::numeric_limits<int>::max() << "abcde";
    }
    void copy()
    {
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(QString, expected);
        QCOMPARE(Copy("abcde", index, count), expected);
    }

    void posDeleteInsert()
    {
        QCOMPARE(Pos("cd", "abcdcd"), 3);
        QCOMPARE(Pos("x", "abc"), 0);
        QCOMPARE(Pos("", "abc"), 0);
        // Positions count UTF-16 code units: a surrogate pair is two.
        QCOMPARE(Pos("b", QString::fromUtf8("\xF0\x9F\x98\x80") + "b"), 3);

        QString s = "abcdef";
        Delete(s, 2, 2);
        QCOMPARE(s, "adef");
        Delete(s, 3, 100);
        QCOMPARE(s, "ad");
        Delete(s, 0, 1);
        Delete(s, 3, 1);
        Delete(s, 1, -1);
        QCOMPARE(s, "ad");

        s = "ad";
        Insert("bc", s, 2);
        QCOMPARE(s, "abcd");
        Insert("<", s, -3);
        Insert(">", s, 99);
        QCOMPARE(s, "<abcd>");
    }

    void trimAndCase()
    {
        const QString padded = QString("\t\r\n x y \x01 ") + QChar(0x20);
        QCOMPARE(Trim(padded), "x y");
        QCOMPARE(TrimLeft(padded), QString("x y \x01  "));
        QCOMPARE(TrimRight(padded), "\t\r\n x y");
        // A no-break space is above U+0020 and stays.
        QCOMPARE(Trim(QString(QChar(0xA0)) + "a"), QString(QChar(0xA0)) + "a");

        const QString mixed = QString::fromUtf8("abc\xC3\xA9\xC3\x89XYZ");
        QCOMPARE(UpperCase(mixed), QString::fromUtf8("ABC\xC3\xA9\xC3\x89XYZ"));
        QCOMPARE(LowerCase(mixed), QString::fromUtf8("abc\xC3\xA9\xC3\x89xyz"));
        QCOMPARE(AnsiUpperCase(mixed), QString::fromUtf8("ABC\xC3\x89\xC3\x89XYZ"));
        QCOMPARE(AnsiLowerCase(mixed), QString::fromUtf8("abc\xC3\xA9\xC3\xA9xyz"));
    }

    void stringReplace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("all");
        QTest::addColumn<bool>("ignoreCase");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first only") << "a.b.c" << "." << "-" << false << false << "a-b.c";
        QTest::newRow("all") << "a.b.c" << "." << "-" << true << false << "a-b-c";
        QTest::newRow("case differs") << "Abab" << "AB" << "x" << true << false << "Abab";
        QTest::newRow("ignore case") << "Abab" << "AB" << "x" << true << true << "xx";
        QTest::newRow("no overlap") << "aaaa" << "aa" << "b" << true << false << "bb";
        QTest::newRow("replacement holds pattern") << "ab" << "a" << "aa" << true << false << "aab";
        QTest::newRow("empty pattern unchanged") << "abc" << "" << "x" << true << false << "abc";
        QTest::newRow("delete") << "a-b-c" << "-" << "" << true << false << "abc";
    }
    void stringReplace()
    {
        QFETCH(QString, text);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, all);
        QFETCH(bool, ignoreCase);
        QFETCH(QString, expected);
        QCOMPARE(StringReplace(text, from, to, all, ignoreCase), expected);
    }

    void intToText()
    {
        QCOMPARE(IntToStr(-42), "-42");
        QCOMPARE(IntToStr(std::numeric_limits<qint64>::min()), "-9223372036854775808");
        QCOMPARE(IntToHex(255, 4), "00FF");
        QCOMPARE(IntToHex(0x12345, 2), "12345");
        QCOMPARE(IntToHex(-1, 2), "FFFFFFFF");
        QCOMPARE(IntToHex(qint64(-2), 1), "FFFFFFFFFFFFFFFE");
    }

    void wrapping()
    {
        const qint32 max = std::numeric_limits<qint32>::max();
        const qint32 min = std::numeric_limits<qint32>::min();
        QCOMPARE(WrapAdd(max, 1), min);
        QCOMPARE(WrapSub(min, 1), max);
        QCOMPARE(WrapMul(65536, 65536), 0);
        QCOMPARE(WrapMul(max, 2), -2);
        QCOMPARE(WrapMul(-3, 7), -21);
    }

    void integerDivision()
    {
        const qint32 min = std::numeric_limits<qint32>::min();
        QCOMPARE(IntDiv(-7, 2), -3);
        QCOMPARE(IntMod(-7, 2), -1);
        QCOMPARE(IntMod(7, -2), 1);
        QCOMPARE(IntDiv(min, 1), min);
        QCOMPARE(IntMod(min, -1), 0);
        try {
            IntDiv(1, 0);
            QFAIL("no error");
        } catch (const EDivByZero &e) {
            QCOMPARE(e.Message(), "Division by zero");
        }
        QVERIFY_THROWS_EXCEPTION(EDivByZero, IntMod(1, 0));
        try {
            IntDiv(min, -1);
            QFAIL("no error");
        } catch (const EIntOverflow &e) {
            QCOMPARE(e.Message(), "Integer overflow");
        }
    }

    void floatDivision()
    {
        QCOMPARE(FloatDiv(1, 4), 0.25);
        try {
            FloatDiv(-1, 0);
            QFAIL("no error");
        } catch (const EZeroDivide &e) {
            QCOMPARE(e.Message(), "Floating point division by zero");
        }
        try {
            FloatDiv(0, 0);
            QFAIL("no error");
        } catch (const EInvalidOp &e) {
            QCOMPARE(e.Message(), "Invalid floating point operation");
        }
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, FloatDiv(std::nan(""), 0));
    }

    void roundAndTrunc_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("rounded");
        QTest::addColumn<qint64>("truncated");
        QTest::newRow("0.5 to even") << 0.5 << qint64(0) << qint64(0);
        QTest::newRow("1.5 to even") << 1.5 << qint64(2) << qint64(1);
        QTest::newRow("2.5 to even") << 2.5 << qint64(2) << qint64(2);
        QTest::newRow("-2.5 to even") << -2.5 << qint64(-2) << qint64(-2);
        QTest::newRow("-2.6") << -2.6 << qint64(-3) << qint64(-2);
        QTest::newRow("2.4999") << 2.4999 << qint64(2) << qint64(2);
        QTest::newRow("-2^63") << -9223372036854775808.0 << std::numeric_limits<qint64>::min()
                               << std::numeric_limits<qint64>::min();
    }
    void roundAndTrunc()
    {
        QFETCH(double, value);
        QFETCH(qint64, rounded);
        QFETCH(qint64, truncated);
        QCOMPARE(Round(value), rounded);
        QCOMPARE(Trunc(value), truncated);
    }

    void roundOutOfRange_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("2^63") << 9223372036854775808.0;
        QTest::newRow("-1e19") << -1e19;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
    }
    void roundOutOfRange()
    {
        QFETCH(double, value);
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, Round(value));
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, Trunc(value));
    }
};

QTEST_GUILESS_MAIN(TestStrUtils)
#include "tst_strutils.moc"
