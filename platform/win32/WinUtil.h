#pragma once

#include <cstdint>
#include <string>

#include "platform/DateTime.h"
#include "platform/win32/WinApi.h"

namespace platform::win32 {

// Absolute form of a path, for messages.
std::string FullPath(const std::string& path);

// A SYSTEMTIME's date-time and back (the value's calendar parts; no zone is applied).
TDateTime FromSystemTime(const SYSTEMTIME& parts);
SYSTEMTIME ToSystemTime(TDateTime value);

// A file time in nanoseconds since 1970-01-01 00:00 UTC, and back.
int64_t NanosecondsFromFileTime(const FILETIME& time);
FILETIME FileTimeFromNanoseconds(int64_t nanoseconds);

// File times (UTC) to local date-times with milliseconds and back, through the local
// file time as Windows converts it.
TDateTime LocalFromFileTime(const FILETIME& time);
bool FileTimeFromLocal(TDateTime value, FILETIME& time);

}  // namespace platform::win32
