#include "platform/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Errors.h"
#include "platform/FileOperations.h"
#include "platform/Path.h"
#include "platform/posix/PosixUtil.h"

namespace platform {

namespace {

std::string Reason(const std::string& path, int error) {
  return "\"" + posix::FullPath(path) + "\". " + SystemErrorMessage(error);
}

}  // namespace

InputFile::InputFile(const std::string& path) : path_(path) {
  const int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EFOpenError("Cannot open file " + Reason(path, errno));
  struct stat info;
  const int error = fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
  if (error != 0) {
    close(fd);
    throw EFOpenError("Cannot open file " + Reason(path, error));
  }
  factsWhenOpened_.size = static_cast<int64_t>(info.st_size);
  factsWhenOpened_.modified = posix::Nanoseconds(info.st_mtim);
  handle_ = fd;
}

InputFile::~InputFile() { close(static_cast<int>(handle_)); }

size_t InputFile::ReadAt(int64_t position, void* buffer, size_t count) {
  if (position < 0) position = 0;
  size_t done = 0;
  while (done < count) {
    const ssize_t n = pread(static_cast<int>(handle_), static_cast<char*>(buffer) + done,
                            count - done, static_cast<off_t>(position + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EReadError("Cannot read file " + Reason(path_, errno));
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

}  // namespace platform
