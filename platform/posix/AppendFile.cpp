#include "platform/AppendFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Path.h"

namespace platform {

AppendFile::~AppendFile() { Close(); }

bool AppendFile::CreateNew(const std::string& path) {
  Close();
  const int fd =
      open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  handle_ = fd;
  return true;
}

bool AppendFile::Append(const std::string& text) {
  if (handle_ < 0) {
    errno = EBADF;
    return false;
  }
  for (size_t done = 0; done < text.size();) {
    const ssize_t n = write(static_cast<int>(handle_), text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool AppendFile::Close() {
  if (handle_ < 0) return true;
  const bool flushed = fsync(static_cast<int>(handle_)) == 0;
  close(static_cast<int>(handle_));
  handle_ = -1;
  return flushed;
}

}  // namespace platform
