#include "platform/DateTime.h"

#include <cmath>

namespace platform {

namespace {

constexpr int32_t kDayNumberOf18991230 = 693594;
constexpr int64_t kMsPerDay = 86400000;

}  // namespace

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int32_t DayNumber(int year, int month, int day) {
  int32_t days = day;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  const int32_t y = year - 1;
  return days + y * 365 + y / 4 - y / 100 + y / 400;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
  if (day < 1 || day > DaysInMonth(year, month)) return false;
  out = static_cast<double>(DayNumber(year, month, day) - kDayNumberOf18991230);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& out) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999)
    return false;
  const int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  out = static_cast<double>(ms) / kMsPerDay;
  return true;
}

CalendarTime DecodeDateTime(TDateTime value) {
  CalendarTime parts;
  // Limit the range so the conversion to an integer is defined for any input.
  if (!(value > -693593.0 && value < 2958466.0)) return parts;
  const int64_t count = std::llround(std::nearbyint(value * kMsPerDay));
  int64_t time;
  int64_t dayNumber;
  if (count >= 0) {
    time = count % kMsPerDay;
    dayNumber = count / kMsPerDay + kDayNumberOf18991230;
  } else {
    time = (-count) % kMsPerDay;
    dayNumber = kDayNumberOf18991230 - (-count) / kMsPerDay;
  }
  parts.hour = static_cast<int>(time / 3600000);
  parts.minute = static_cast<int>(time / 60000 % 60);
  parts.second = static_cast<int>(time % 60000 / 1000);
  parts.millisecond = static_cast<int>(time % 1000);

  // Day number 1 is 0001-01-01: walk 400-, 100-, 4- and 1-year cycles.
  int64_t d = dayNumber - 1;
  if (d < 0) return parts;
  int year = 1;
  year += static_cast<int>(d / 146097) * 400;
  d %= 146097;
  int64_t c = d / 36524;
  if (c == 4) c = 3;
  year += static_cast<int>(c) * 100;
  d -= c * 36524;
  year += static_cast<int>(d / 1461) * 4;
  d %= 1461;
  int64_t y = d / 365;
  if (y == 4) y = 3;
  year += static_cast<int>(y);
  d -= y * 365;
  int month = 1;
  while (d >= DaysInMonth(year, month)) {
    d -= DaysInMonth(year, month);
    ++month;
  }
  parts.year = year;
  parts.month = month;
  parts.day = static_cast<int>(d) + 1;
  return parts;
}

TDateTime EncodeDateTime(const CalendarTime& parts) {
  TDateTime date = 0;
  TDateTime time = 0;
  if (!TryEncodeDate(parts.year, parts.month, parts.day, date) ||
      !TryEncodeTime(parts.hour, parts.minute, parts.second, parts.millisecond, time))
    return 0;
  // Before 1899-12-30 the value is negative and the time of day counts away from zero.
  return date < 0 ? date - time : date + time;
}

}  // namespace platform
