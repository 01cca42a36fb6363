#include "platform/win32/WinUtil.h"

#include <vector>

#include "platform/win32/WinText.h"

namespace platform::win32 {

std::string FullPath(const std::string& path) {
  const std::wstring wide = Widen(path);
  const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::vector<wchar_t> buffer(length + 1);
  if (GetFullPathNameW(wide.c_str(), length + 1, buffer.data(), nullptr) == 0) return path;
  return Narrow(buffer.data());
}

TDateTime FromSystemTime(const SYSTEMTIME& parts) {
  CalendarTime calendar;
  calendar.year = parts.wYear;
  calendar.month = parts.wMonth;
  calendar.day = parts.wDay;
  calendar.hour = parts.wHour;
  calendar.minute = parts.wMinute;
  calendar.second = parts.wSecond;
  calendar.millisecond = parts.wMilliseconds;
  return EncodeDateTime(calendar);
}

SYSTEMTIME ToSystemTime(TDateTime value) {
  const CalendarTime calendar = DecodeDateTime(value);
  SYSTEMTIME parts{};
  parts.wYear = static_cast<WORD>(calendar.year);
  parts.wMonth = static_cast<WORD>(calendar.month);
  parts.wDay = static_cast<WORD>(calendar.day);
  parts.wHour = static_cast<WORD>(calendar.hour);
  parts.wMinute = static_cast<WORD>(calendar.minute);
  parts.wSecond = static_cast<WORD>(calendar.second);
  parts.wMilliseconds = static_cast<WORD>(calendar.millisecond);
  return parts;
}

namespace {

// FILETIME counts 100-nanosecond steps from 1601-01-01 UTC.
constexpr int64_t kFileTimeAt1970 = 116444736000000000;

}  // namespace

int64_t NanosecondsFromFileTime(const FILETIME& time) {
  const int64_t ticks = (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return (ticks - kFileTimeAt1970) * 100;
}

FILETIME FileTimeFromNanoseconds(int64_t nanoseconds) {
  const int64_t ticks = nanoseconds / 100 + kFileTimeAt1970;
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
  time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return time;
}

TDateTime LocalFromFileTime(const FILETIME& time) {
  FILETIME local;
  SYSTEMTIME parts;
  if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &parts)) return 0;
  return FromSystemTime(parts);
}

bool FileTimeFromLocal(TDateTime value, FILETIME& time) {
  const SYSTEMTIME parts = ToSystemTime(value);
  FILETIME local;
  return SystemTimeToFileTime(&parts, &local) && LocalFileTimeToFileTime(&local, &time);
}

}  // namespace platform::win32
