#include "platform/FileTimes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Path.h"
#include "platform/posix/PosixUtil.h"

namespace platform {

bool ReadFileFacts(const std::string& path, FileFacts& facts) {
  struct stat info;
  if (stat(NativePath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  facts.size = static_cast<int64_t>(info.st_size);
  facts.modified = posix::Nanoseconds(info.st_mtim);
  facts.created = kNoTime;
  return true;
}

bool SetExactFileTimes(const std::string& path, int64_t modified, int64_t) {
  timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  // Floor division: times before 1970 are negative.
  int64_t seconds = modified / 1000000000;
  int64_t rest = modified % 1000000000;
  if (rest < 0) {
    rest += 1000000000;
    --seconds;
  }
  times[1].tv_sec = static_cast<time_t>(seconds);
  times[1].tv_nsec = static_cast<long>(rest);
  return utimensat(AT_FDCWD, NativePath(path).c_str(), times, 0) == 0;
}

int64_t StampedTime(TDateTime localTime) {
  return posix::Nanoseconds(posix::TimespecFromLocal(localTime));
}

bool GetFileTimes(const std::string& path, FileTimes& times) {
  struct stat info;
  if (stat(NativePath(path).c_str(), &info) != 0) return false;
  times.lastWrite = posix::LocalFromTimespec(info.st_mtim);
  times.creation = times.lastWrite;
  return true;
}

}  // namespace platform
