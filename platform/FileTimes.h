#pragma once

#include <cstdint>
#include <string>

#include "platform/DateTime.h"

namespace platform {

// Creation and last-write time of a file as local date-times with milliseconds.
// POSIX keeps no settable creation time: there both fields hold the modification time.
struct FileTimes {
  TDateTime creation = 0;
  TDateTime lastWrite = 0;
};

// What tells a file again after a run and puts its times back exactly: its size and its
// times in nanoseconds since 1970-01-01 00:00 UTC, at the precision the system keeps.
inline constexpr int64_t kNoTime = INT64_MIN;
struct FileFacts {
  int64_t size = 0;
  int64_t modified = kNoTime;
  int64_t created = kNoTime;  // kNoTime where the system keeps no creation time (POSIX)
};

// The exact modification time (and, where there is one, creation time) that
// FileStamp::Stamp(localTime) writes.
int64_t StampedTime(TDateTime localTime);

}  // namespace platform
