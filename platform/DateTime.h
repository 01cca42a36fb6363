#pragma once

#include <cstdint>

// A date-time as days since 1899-12-30 00:00, the time of day as the fraction.
// 0 means "no date" throughout the program.
using TDateTime = double;

namespace platform {

struct CalendarTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

bool IsLeapYear(int year);  // proleptic Gregorian
int DaysInMonth(int year, int month);

// The one calendar conversion of the program (proleptic Gregorian): days since
// 1970-01-01 of a date, and the date of such a day, for any year.
int64_t DaysFromCivil(int64_t year, int month, int day);
void CivilFromDays(int64_t days, int64_t& year, int& month, int& day);

// Days from 0001-01-01 (day 1) to the given date; the date must be valid.
int32_t DayNumber(int year, int month, int day);

// False, leaving out untouched, when a part is out of range
// (year 1-9999, month 1-12, day within the month; hour 0-23, minute and second 0-59, ms 0-999).
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& out);

// Calendar parts of a value, rounded to the nearest millisecond.
// For values below 0001-01-01 the result is unspecified but safe.
CalendarTime DecodeDateTime(TDateTime value);

// The value of valid calendar parts (the inverse of DecodeDateTime); invalid parts give 0.
TDateTime EncodeDateTime(const CalendarTime& parts);

}  // namespace platform
