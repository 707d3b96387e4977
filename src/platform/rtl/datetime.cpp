#include "platform/rtl/datetime.h"

#include "platform/rtl/sysutils.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int64_t kMSecsPerDay = 86400000;
// Days from 0001-01-01 (day 1) to 1899-12-30.
constexpr int64_t kDateDelta = 693594;
// Largest magnitude a value may have to be decoded (far beyond 9999-12-31).
constexpr double kMaxDecodable = 1e7;

const int kDaysInMonth[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// A value split into a day number counted from 0001-01-01 (= 1) and milliseconds of the day.
struct TTimeStamp {
    int64_t date = 0;
    int64_t time = 0;
};

bool ToTimeStamp(TDateTime dateTime, TTimeStamp &stamp)
{
    if (!std::isfinite(dateTime) || std::fabs(dateTime) > kMaxDecodable)
        return false;
    // llrint rounds half to even in the default rounding mode, as the platform does.
    const int64_t msecs = std::llrint(dateTime * double(kMSecsPerDay));
    stamp.date = kDateDelta + msecs / kMSecsPerDay; // truncates toward zero
    stamp.time = (msecs < 0 ? -msecs : msecs) % kMSecsPerDay;
    return true;
}

// Joins a day and a time of day: before 1899-12-30 the time counts away from zero.
TDateTime Compose(TDateTime date, TDateTime time)
{
    return date < 0 ? date - time : date + time;
}

} // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime &date)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    const int *days = kDaysInMonth[IsLeapYear(year) ? 1 : 0];
    if (day > days[month - 1])
        return false;
    int64_t dayOfYear = day;
    for (int m = 0; m < month - 1; ++m)
        dayOfYear += days[m];
    const int64_t y = year - 1;
    date = double(y * 365 + y / 4 - y / 100 + y / 400 + dayOfYear - kDateDelta);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime &time)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        return false;
    const int64_t msecs = ((int64_t(hour) * 60 + minute) * 60 + second) * 1000 + msec;
    time = double(msecs) / double(kMSecsPerDay);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime date;
    if (!TryEncodeDate(year, month, day, date))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return date;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    TDateTime time;
    if (!TryEncodeTime(hour, minute, second, msec, time))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return time;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    const TDateTime date = EncodeDate(year, month, day);
    return Compose(date, EncodeTime(hour, minute, second, msec));
}

void DecodeDate(TDateTime dateTime, int &year, int &month, int &day)
{
    year = month = day = 0;
    TTimeStamp stamp;
    if (!ToTimeStamp(dateTime, stamp) || stamp.date <= 0)
        return;
    // Whole 400-, 100-, 4- and 1-year periods from 0001-01-01.
    int64_t t = stamp.date - 1;
    int64_t y = 1;
    y += (t / 146097) * 400;
    t %= 146097;
    int64_t centuries = t / 36524;
    t %= 36524;
    if (centuries == 4) { // the last day of a 400-year period
        centuries = 3;
        t += 36524;
    }
    y += centuries * 100;
    y += (t / 1461) * 4;
    t %= 1461;
    int64_t years = t / 365;
    t %= 365;
    if (years == 4) { // the last day of a leap cycle
        years = 3;
        t += 365;
    }
    y += years;
    if (y > 9999)
        return;
    const int *days = kDaysInMonth[IsLeapYear(int(y)) ? 1 : 0];
    int m = 0;
    while (t >= days[m]) {
        t -= days[m];
        ++m;
    }
    year = int(y);
    month = m + 1;
    day = int(t) + 1;
}

void DecodeTime(TDateTime dateTime, int &hour, int &minute, int &second, int &msec)
{
    hour = minute = second = msec = 0;
    TTimeStamp stamp;
    if (!ToTimeStamp(dateTime, stamp))
        return;
    int64_t t = stamp.time;
    msec = int(t % 1000);
    t /= 1000;
    second = int(t % 60);
    t /= 60;
    minute = int(t % 60);
    hour = int(t / 60);
}

int DayOfWeek(TDateTime dateTime)
{
    TTimeStamp stamp;
    if (!ToTimeStamp(dateTime, stamp))
        return 0;
    // Day 1 (0001-01-01) was a Monday.
    return int(((stamp.date % 7) + 7) % 7) + 1;
}

TDateTime Now()
{
    return QDateTimeToDateTime(QDateTime::currentDateTime());
}

TDateTime Date()
{
    const QDate today = QDate::currentDate();
    return EncodeDate(today.year(), today.month(), today.day());
}

TDateTime Time()
{
    const QTime now = QTime::currentTime();
    return EncodeTime(now.hour(), now.minute(), now.second(), now.msec());
}

QDateTime DateTimeToQDateTime(TDateTime dateTime)
{
    int year, month, day, hour, minute, second, msec;
    DecodeDate(dateTime, year, month, day);
    if (year == 0)
        return QDateTime();
    DecodeTime(dateTime, hour, minute, second, msec);
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec), Qt::LocalTime);
}

TDateTime QDateTimeToDateTime(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return 0;
    const QDateTime local = dateTime.toLocalTime();
    const QDate date = local.date();
    const QTime time = local.time();
    return Compose(EncodeDate(date.year(), date.month(), date.day()),
                   EncodeTime(time.hour(), time.minute(), time.second(), time.msec()));
}

TDateTime DateOf(TDateTime dateTime)
{
    TTimeStamp stamp;
    if (!ToTimeStamp(dateTime, stamp))
        return 0;
    return double(stamp.date - kDateDelta);
}

TDateTime TimeOf(TDateTime dateTime)
{
    TTimeStamp stamp;
    if (!ToTimeStamp(dateTime, stamp))
        return 0;
    return double(stamp.time) / double(kMSecsPerDay);
}
