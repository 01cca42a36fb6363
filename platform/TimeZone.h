#pragma once

#include <cstdint>

#include "platform/DateTime.h"

namespace platform {

// The wall-clock time of this computer's time zone at the moment `utc` (a UTC date-time),
// with the daylight-saving rule of that moment's date, not of today. 0 for 0 and for a
// moment the system cannot convert.
TDateTime LocalFromUtc(TDateTime utc);

// The same for a moment given as milliseconds since 1970-01-01 00:00 UTC; the
// milliseconds are kept.
inline TDateTime LocalFromUnixMilliseconds(int64_t milliseconds) {
  constexpr TDateTime kUnixEpoch = 25569;  // 1970-01-01 as a date-time
  int64_t seconds = milliseconds / 1000;
  int64_t rest = milliseconds % 1000;
  if (rest < 0) {
    rest += 1000;
    --seconds;
  }
  const TDateTime local = LocalFromUtc(kUnixEpoch + static_cast<double>(seconds) / 86400.0);
  return local == 0 ? 0 : local + static_cast<double>(rest) / 86400000.0;
}

}  // namespace platform
