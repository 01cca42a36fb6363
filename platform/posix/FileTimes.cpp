#include "platform/FileTimes.h"

#include <fcntl.h>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Path.h"
#include "platform/posix/PosixUtil.h"

namespace platform {

FileStamp::~FileStamp() { Close(); }

bool FileStamp::Open(const std::string& path) {
  Close();
  const int fd = open(NativePath(path).c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  // A file without write permission counts as read-only even for root, as on Windows.
  struct stat info;
  if (fstat(fd, &info) != 0 || !(info.st_mode & S_IWUSR)) {
    close(fd);
    errno = EACCES;
    return false;
  }
  handle_ = fd;
  return true;
}

bool FileStamp::Read(FileTimes& times) const {
  struct stat info;
  if (handle_ < 0 || fstat(static_cast<int>(handle_), &info) != 0) return false;
  times.lastWrite = posix::LocalFromTimespec(info.st_mtim);
  times.creation = times.lastWrite;
  return true;
}

bool FileStamp::Write(TDateTime localTime) {
  if (handle_ < 0) return false;
  timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;  // the last-access time stays
  times[1] = posix::TimespecFromLocal(localTime);
  return futimens(static_cast<int>(handle_), times) == 0;
}

void FileStamp::Close() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
  handle_ = -1;
}

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
