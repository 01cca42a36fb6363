#include "platform/FileStamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

bool FileStamp::Facts(FileFacts& facts) {
  struct stat info;
  if (handle_ < 0 || fstat(static_cast<int>(handle_), &info) != 0) return false;
  facts.size = static_cast<int64_t>(info.st_size);
  facts.modified = posix::Nanoseconds(info.st_mtim);
  facts.created = kNoTime;
  return true;
}

bool FileStamp::Times(FileTimes& times) {
  struct stat info;
  if (handle_ < 0 || fstat(static_cast<int>(handle_), &info) != 0) return false;
  times.lastWrite = posix::LocalFromTimespec(info.st_mtim);
  times.creation = times.lastWrite;
  return true;
}

int FileStamp::Stamp(TDateTime localTime) {
  if (handle_ < 0) return EBADF;
  timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;  // the last-access time stays
  times[1] = posix::TimespecFromLocal(localTime);
  return futimens(static_cast<int>(handle_), times) == 0 ? 0 : errno;
}

void FileStamp::Close() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
  handle_ = -1;
}

}  // namespace platform
