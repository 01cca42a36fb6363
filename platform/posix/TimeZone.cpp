#include "platform/TimeZone.h"

#include <cmath>
#include <ctime>

#include "platform/posix/PosixUtil.h"

namespace platform {

namespace {

constexpr TDateTime kUnixEpoch = 25569;  // 1970-01-01 as a TDateTime
constexpr double kSecondsPerDay = 86400;

}  // namespace

TDateTime LocalFromUtc(TDateTime utc) {
  // Year 1 to 9999: beyond that the calendar parts could not be encoded anyway.
  if (utc == 0 || !(utc > -693593.0 && utc < 2958466.0)) return 0;
  const double seconds = std::floor((utc - kUnixEpoch) * kSecondsPerDay + 0.5);
  timespec moment{};
  moment.tv_sec = static_cast<time_t>(seconds);
  return posix::LocalFromTimespec(moment);
}

}  // namespace platform
