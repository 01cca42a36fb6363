#include "platform/posix/PosixUtil.h"

#include <unistd.h>

#include <climits>
#include <vector>

#include "platform/Path.h"

namespace platform::posix {

std::string DirectoryOrDot(const std::string& directory) {
  return directory.empty() ? std::string(".") : NativePath(directory);
}

std::string FullPath(const std::string& path) {
  const std::string native = NativePath(path);
  if (!native.empty() && native[0] == '/') return native;
  std::vector<char> buffer(PATH_MAX);
  if (getcwd(buffer.data(), buffer.size()) == nullptr) return native;
  std::string result = buffer.data();
  if (result.empty() || result.back() != '/') result += '/';
  return result + native;
}

TDateTime LocalFromTimespec(const timespec& time) {
  tm local{};
  if (localtime_r(&time.tv_sec, &local) == nullptr) return 0;
  CalendarTime parts;
  parts.year = local.tm_year + 1900;
  parts.month = local.tm_mon + 1;
  parts.day = local.tm_mday;
  parts.hour = local.tm_hour;
  parts.minute = local.tm_min;
  parts.second = local.tm_sec > 59 ? 59 : local.tm_sec;
  parts.millisecond = static_cast<int>(time.tv_nsec / 1000000);
  return EncodeDateTime(parts);
}

timespec TimespecFromLocal(TDateTime value) {
  const CalendarTime parts = DecodeDateTime(value);
  tm local{};
  local.tm_year = parts.year - 1900;
  local.tm_mon = parts.month - 1;
  local.tm_mday = parts.day;
  local.tm_hour = parts.hour;
  local.tm_min = parts.minute;
  local.tm_sec = parts.second;
  local.tm_isdst = -1;
  timespec result{};
  result.tv_sec = mktime(&local);
  result.tv_nsec = parts.millisecond * 1000000L;
  return result;
}

}  // namespace platform::posix
