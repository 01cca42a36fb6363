#include "platform/DateTime.h"

#include <cmath>

namespace platform {

namespace {

constexpr int32_t kDayNumberOf18991230 = 693594;
// 0001-01-01 is day 1; 1970-01-01 is day 719163.
constexpr int64_t kDaysFrom0001To1970 = 719162;
constexpr int64_t kMsPerDay = 86400000;

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const auto m = static_cast<unsigned>(month);
  const unsigned dayOfYear =
      (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(day) - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

void CivilFromDays(int64_t days, int64_t& year, int& month, int& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shifted = (5 * dayOfYear + 2) / 153;  // months from March
  day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
  month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
  year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2);
}

int32_t DayNumber(int year, int month, int day) {
  return static_cast<int32_t>(DaysFromCivil(year, month, day) + kDaysFrom0001To1970 + 1);
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

  if (dayNumber < 1) return parts;
  int64_t year = 0;
  CivilFromDays(dayNumber - 1 - kDaysFrom0001To1970, year, parts.month, parts.day);
  parts.year = static_cast<int>(year);
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
