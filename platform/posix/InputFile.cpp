#include "platform/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/posix/PosixUtil.h"

namespace platform {

namespace {

[[noreturn]] void ThrowOpenError(const std::string& path, int error) {
  throw EFOpenError("Cannot open file \"" + posix::FullPath(path) + "\". " +
                    SystemErrorMessage(error));
}

}  // namespace

InputFile::InputFile(const std::string& path) {
  const int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) ThrowOpenError(path, errno);
  struct stat info;
  if (fstat(fd, &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      close(fd);
      ThrowOpenError(path, EISDIR);
    }
    factsWhenOpened_.size = static_cast<int64_t>(info.st_size);
    factsWhenOpened_.modified = posix::Nanoseconds(info.st_mtim);
  }
  handle_ = fd;
}

InputFile::~InputFile() { close(static_cast<int>(handle_)); }

int64_t InputFile::Size() const {
  struct stat info;
  return fstat(static_cast<int>(handle_), &info) == 0 ? static_cast<int64_t>(info.st_size) : 0;
}

size_t InputFile::Read(void* buffer, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = pread(static_cast<int>(handle_), static_cast<char*>(buffer) + done,
                            count - done, static_cast<off_t>(position_ + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return 0;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  position_ += static_cast<int64_t>(done);
  return done;
}

}  // namespace platform
