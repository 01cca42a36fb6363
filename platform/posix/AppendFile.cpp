#include "platform/AppendFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Path.h"

namespace platform {

AppendFile::~AppendFile() { Close(); }

int AppendFile::CreateNew(const std::string& path) {
  Close();
  const int fd =
      open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  handle_ = fd;
  return 0;
}

int AppendFile::Append(const std::string& text) {
  if (handle_ < 0) return EBADF;
  for (size_t done = 0; done < text.size();) {
    const ssize_t n = write(static_cast<int>(handle_), text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    done += static_cast<size_t>(n);
  }
  return 0;
}

int AppendFile::Close() {
  if (handle_ < 0) return 0;
  const int error = fsync(static_cast<int>(handle_)) == 0 ? 0 : errno;
  close(static_cast<int>(handle_));
  handle_ = -1;
  return error;
}

}  // namespace platform
