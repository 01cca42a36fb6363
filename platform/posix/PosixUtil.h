#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "platform/DateTime.h"

namespace platform::posix {

// The path with backslashes turned into "/", and "." for the empty folder.
std::string DirectoryOrDot(const std::string& directory);

// Absolute form of a path for messages (no links resolved; the file may not exist).
std::string FullPath(const std::string& path);

// A file time in nanoseconds since 1970-01-01 00:00 UTC.
inline int64_t Nanoseconds(const timespec& time) {
  return static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

// Local date-time with milliseconds of a file time, and back.
TDateTime LocalFromTimespec(const timespec& time);
timespec TimespecFromLocal(TDateTime value);

}  // namespace platform::posix
