#include "platform/TimeZone.h"

#include <cmath>
#include <ctime>

namespace platform {

namespace {

constexpr TDateTime kUnixEpoch = 25569;  // 1970-01-01 as a TDateTime
constexpr double kSecondsPerDay = 86400;

}  // namespace

TDateTime LocalFromUtc(TDateTime utc) {
  // Year 1 to 9999: beyond that the calendar parts could not be encoded anyway.
  if (utc == 0 || !(utc > -693593.0 && utc < 2958466.0)) return 0;
  const double seconds = std::floor((utc - kUnixEpoch) * kSecondsPerDay + 0.5);
  const auto moment = static_cast<time_t>(seconds);
  tm local{};
  if (localtime_r(&moment, &local) == nullptr) return 0;
  CalendarTime parts;
  parts.year = local.tm_year + 1900;
  parts.month = local.tm_mon + 1;
  parts.day = local.tm_mday;
  parts.hour = local.tm_hour;
  parts.minute = local.tm_min;
  parts.second = local.tm_sec > 59 ? 59 : local.tm_sec;
  return EncodeDateTime(parts);
}

}  // namespace platform
