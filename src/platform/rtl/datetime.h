// TDateTime: days since 1899-12-30, the fraction being the time of day. For values before
// that day the integral part counts days back and the fraction's absolute value is the time
// (-1.25 is 1899-12-29 06:00). Years run from 1 to 9999.
#pragma once

#include <QDateTime>

using TDateTime = double;

// Raise EConvertError ("Invalid argument to date encode" / "... time encode").
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime &date);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime &time);
// A day and a time of day in one value (before 1899-12-30 the time counts away from zero, as
// DecodeTime reads it). Raises EConvertError as EncodeDate and EncodeTime do.
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec);

// Both round the value to the nearest millisecond first (half to even), so a time a hair
// before midnight decodes as the next day at 00:00:00.000. Values outside the year range
// (or not finite) decode as all zeros.
void DecodeDate(TDateTime dateTime, int &year, int &month, int &day);
void DecodeTime(TDateTime dateTime, int &hour, int &minute, int &second, int &msec);

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime dateTime);
bool IsLeapYear(int year);

TDateTime Now();
TDateTime Date();
TDateTime Time();

// Local time both ways. An invalid QDateTime converts to 0; a TDateTime outside the year
// range to an invalid QDateTime. QDateTimeToDateTime raises EConvertError for years
// outside 1..9999.
QDateTime DateTimeToQDateTime(TDateTime dateTime);
TDateTime QDateTimeToDateTime(const QDateTime &dateTime);

// The day (integral part) and the time of day (0 <= t < 1) of a value, rounded to the
// millisecond as DecodeDate and DecodeTime round it.
TDateTime DateOf(TDateTime dateTime);
TDateTime TimeOf(TDateTime dateTime);
