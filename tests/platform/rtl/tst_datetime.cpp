#include <QtTest>

#include <cmath>

#include "platform/rtl/datetime.h"
#include "platform/rtl/sysutils.h"

class TestDateTime : public QObject
{
    Q_OBJECT

private slots:
    void encodeDate_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<double>("expected");
        QTest::newRow("day zero") << 1899 << 12 << 30 << 0.0;
        QTest::newRow("1899-12-31") << 1899 << 12 << 31 << 1.0;
        QTest::newRow("1900-01-01") << 1900 << 1 << 1 << 2.0;
        QTest::newRow("1900-03-01, no Feb 29") << 1900 << 3 << 1 << 61.0;
        QTest::newRow("2000-02-29") << 2000 << 2 << 29 << 36585.0;
        QTest::newRow("2024-03-01") << 2024 << 3 << 1 << 45352.0;
        QTest::newRow("1899-12-29") << 1899 << 12 << 29 << -1.0;
        QTest::newRow("end of a century") << 1900 << 12 << 31 << 366.0;
        QTest::newRow("end of a leap cycle") << 1996 << 12 << 31 << 35430.0;
        QTest::newRow("end of a 400-year period") << 2000 << 12 << 31 << 36891.0;
        QTest::newRow("first day") << 1 << 1 << 1 << -693593.0;
        QTest::newRow("last day") << 9999 << 12 << 31 << 2958465.0;
    }

    void encodeDate()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(double, expected);
        QCOMPARE(EncodeDate(year, month, day), expected);
        int y, m, d;
        DecodeDate(expected, y, m, d);
        QCOMPARE(QList<int>({y, m, d}), QList<int>({year, month, day}));
        // The same day from QDate, as a cross-check of the day count.
        QCOMPARE(double(QDate(1899, 12, 30).daysTo(QDate(year, month, day))), expected);
    }

    void invalidArguments_data()
    {
        QTest::addColumn<QList<int>>("date");
        QTest::addColumn<QList<int>>("time");
        QTest::newRow("Feb 29 in 1900") << QList<int>({1900, 2, 29}) << QList<int>();
        QTest::newRow("Feb 30 in 2000") << QList<int>({2000, 2, 30}) << QList<int>();
        QTest::newRow("year 0") << QList<int>({0, 1, 1}) << QList<int>();
        QTest::newRow("year 10000") << QList<int>({10000, 1, 1}) << QList<int>();
        QTest::newRow("month 13") << QList<int>({2020, 13, 1}) << QList<int>();
        QTest::newRow("day 0") << QList<int>({2020, 1, 0}) << QList<int>();
        QTest::newRow("April 31") << QList<int>({2020, 4, 31}) << QList<int>();
        QTest::newRow("hour 24") << QList<int>() << QList<int>({24, 0, 0, 0});
        QTest::newRow("minute 60") << QList<int>() << QList<int>({1, 60, 0, 0});
        QTest::newRow("second 60") << QList<int>() << QList<int>({1, 0, 60, 0});
        QTest::newRow("msec 1000") << QList<int>() << QList<int>({1, 0, 0, 1000});
        QTest::newRow("negative") << QList<int>() << QList<int>({-1, 0, 0, 0});
    }

    void invalidArguments()
    {
        QFETCH(QList<int>, date);
        QFETCH(QList<int>, time);
        TDateTime value = 123;
        try {
            if (!date.isEmpty()) {
                QVERIFY(!TryEncodeDate(date[0], date[1], date[2], value));
                EncodeDate(date[0], date[1], date[2]);
            } else {
                QVERIFY(!TryEncodeTime(time[0], time[1], time[2], time[3], value));
                EncodeTime(time[0], time[1], time[2], time[3]);
            }
            QFAIL("no EConvertError");
        } catch (const EConvertError &e) {
            QCOMPARE(e.Message(), date.isEmpty() ? QStringLiteral("Invalid argument to time encode")
                                                 : QStringLiteral("Invalid argument to date encode"));
        }
        QCOMPARE(value, 123.0); // untouched on failure
    }

    void encodeTime()
    {
        QCOMPARE(EncodeTime(0, 0, 0, 0), 0.0);
        QCOMPARE(EncodeTime(6, 0, 0, 0), 0.25);
        QCOMPARE(EncodeTime(12, 0, 0, 0), 0.5);
        QCOMPARE(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
        TDateTime t = 0;
        QVERIFY(TryEncodeTime(18, 0, 0, 0, t));
        QCOMPARE(t, 0.75);
        QVERIFY(TryEncodeDate(2000, 2, 29, t));
        QCOMPARE(t, 36585.0);
    }

    void decode_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QList<int>>("expected"); // y m d h n s ms
        QTest::newRow("zero") << 0.0 << QList<int>({1899, 12, 30, 0, 0, 0, 0});
        QTest::newRow("2.75") << 2.75 << QList<int>({1900, 1, 1, 18, 0, 0, 0});
        QTest::newRow("-1.25") << -1.25 << QList<int>({1899, 12, 29, 6, 0, 0, 0});
        QTest::newRow("-0.5 is day zero at noon") << -0.5 << QList<int>({1899, 12, 30, 12, 0, 0, 0});
        QTest::newRow("-2.5") << -2.5 << QList<int>({1899, 12, 28, 12, 0, 0, 0});
        // Rounded to the nearest millisecond, carrying into the next day.
        QTest::newRow("rounds up a ms") << 10.0 + 1.4996 / 86400000.0 * 1000.0
                                        << QList<int>({1900, 1, 9, 0, 0, 1, 500});
        QTest::newRow("rounds down") << 10.0 + 0.4 / 86400000.0
                                     << QList<int>({1900, 1, 9, 0, 0, 0, 0});
        QTest::newRow("just before midnight") << 10.0 + 86399999.6 / 86400000.0
                                              << QList<int>({1900, 1, 10, 0, 0, 0, 0});
        QTest::newRow("leap day") << 36585.5 << QList<int>({2000, 2, 29, 12, 0, 0, 0});
        QTest::newRow("last day") << 2958465.999 << QList<int>({9999, 12, 31, 23, 58, 33, 600});
        QTest::newRow("before year 1") << -693594.0 << QList<int>({0, 0, 0, 0, 0, 0, 0});
        QTest::newRow("not a number") << double(NAN) << QList<int>({0, 0, 0, 0, 0, 0, 0});
    }

    void decode()
    {
        QFETCH(double, value);
        QFETCH(QList<int>, expected);
        int y, m, d, h, n, s, ms;
        DecodeDate(value, y, m, d);
        DecodeTime(value, h, n, s, ms);
        QCOMPARE(QList<int>({y, m, d, h, n, s, ms}), expected);
    }

    void dateOfTimeOf()
    {
        QCOMPARE(DateOf(2.75), 2.0);
        QCOMPARE(TimeOf(2.75), 0.75);
        QCOMPARE(DateOf(-1.25), -1.0);
        QCOMPARE(TimeOf(-1.25), 0.25);
        const TDateTime nearMidnight = 10.0 + 86399999.6 / 86400000.0;
        QCOMPARE(DateOf(nearMidnight), 11.0);
        QCOMPARE(TimeOf(nearMidnight), 0.0);
    }

    void dayOfWeekAndLeapYears()
    {
        QCOMPARE(DayOfWeek(0), 7);                            // 1899-12-30 was a Saturday
        QCOMPARE(DayOfWeek(1.9), 1);                          // Sunday
        QCOMPARE(DayOfWeek(EncodeDate(2024, 1, 1)), 2);       // Monday
        QCOMPARE(DayOfWeek(-1.25), 6);                        // Friday
        QCOMPARE(DayOfWeek(EncodeDate(1, 1, 1)), 2);          // Monday
        for (int offset = -800; offset < 800; offset += 37) { // agrees with QDate everywhere
            const QDate day = QDate(1899, 12, 30).addDays(offset);
            const TDateTime noon = offset < 0 ? offset - 0.5 : offset + 0.5;
            QCOMPARE(DayOfWeek(noon), day.dayOfWeek() % 7 + 1);
        }
        QVERIFY(IsLeapYear(2000));
        QVERIFY(IsLeapYear(2024));
        QVERIFY(!IsLeapYear(1900));
        QVERIFY(!IsLeapYear(2023));
    }

    void qDateTimeConversion()
    {
        const QDateTime local(QDate(2021, 7, 14), QTime(13, 45, 30, 250), Qt::LocalTime);
        const TDateTime value = QDateTimeToDateTime(local);
        QCOMPARE(value, EncodeDate(2021, 7, 14) + EncodeTime(13, 45, 30, 250));
        QCOMPARE(DateTimeToQDateTime(value), local);

        const QDateTime early(QDate(1899, 12, 29), QTime(6, 0), Qt::LocalTime);
        QCOMPARE(QDateTimeToDateTime(early), -1.25);
        QCOMPARE(DateTimeToQDateTime(-1.25), early);

        // Converted to local time first.
        QCOMPARE(QDateTimeToDateTime(local.toUTC()), value);

        QCOMPARE(QDateTimeToDateTime(QDateTime()), 0.0);
        QVERIFY(!DateTimeToQDateTime(-700000).isValid());
        QVERIFY_THROWS_EXCEPTION(
            EConvertError, QDateTimeToDateTime(QDateTime(QDate(10000, 1, 1), QTime(0, 0), Qt::LocalTime)));
    }

    void clock()
    {
        const QDateTime before = QDateTime::currentDateTime();
        const TDateTime now = Now();
        const TDateTime date = Date();
        const TDateTime time = Time();
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY(DateTimeToQDateTime(now) >= before.addMSecs(-1));
        QVERIFY(DateTimeToQDateTime(now) <= after.addMSecs(1));
        QCOMPARE(date, std::floor(date));
        QVERIFY(date == DateOf(now) || date == DateOf(now) + 1); // midnight may pass between
        QVERIFY(time >= 0 && time < 1);
    }
};

QTEST_GUILESS_MAIN(TestDateTime)
#include "tst_datetime.moc"
