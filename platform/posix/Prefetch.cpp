#include "platform/Prefetch.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/Path.h"

namespace platform {

namespace {

int OpenForPrefetch(const std::string& path) {
  // No pipe may hold us up, and a prefetch leaves the access time alone where it may: a
  // file the pass never reaches (after Stop) keeps no trace of it.
  constexpr int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
#ifdef O_NOATIME
  const int fd = open(path.c_str(), flags | O_NOATIME);
  if (fd >= 0 || errno != EPERM) return fd;  // EPERM: not our file, so no O_NOATIME
#endif
  return open(path.c_str(), flags);
}

// Reads at position, waiting for the device. 0 on an error.
size_t ReadWaiting(int fd, int64_t position, char* buffer, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = pread(fd, buffer + done, count - done, static_cast<off_t>(position + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

}  // namespace

PrefetchFile::PrefetchFile(const std::string& path) {
  const int fd = OpenForPrefetch(NativePath(path));
  if (fd < 0) return;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return;
  }
  handle_ = fd;
  size_ = static_cast<int64_t>(info.st_size);
}

PrefetchFile::~PrefetchFile() {
  if (IsOpen()) close(static_cast<int>(handle_));
}

size_t PrefetchFile::ReadCached(int64_t position, void* buffer, size_t count) {
  if (!IsOpen() || count == 0) return 0;
#ifdef RWF_NOWAIT
  iovec piece{buffer, count};
  ssize_t n;
  do n = preadv2(static_cast<int>(handle_), &piece, 1, static_cast<off_t>(position), RWF_NOWAIT);
  while (n < 0 && errno == EINTR);
  return n > 0 ? static_cast<size_t>(n) : 0;
#else
  (void)position;
  (void)buffer;
  return 0;
#endif
}

size_t PrefetchFile::ReadAt(int64_t position, void* buffer, size_t count, bool& cached) {
  if (!IsOpen() || count == 0) return 0;
  // Take what the cache holds without waiting; only the rest has to come from the device.
  const size_t done = ReadCached(position, buffer, count);
  const int64_t end = std::min(size_, position + static_cast<int64_t>(count));
  if (position + static_cast<int64_t>(done) >= end) return done;
  cached = false;
  return done + ReadWaiting(static_cast<int>(handle_), position + static_cast<int64_t>(done),
                            static_cast<char*>(buffer) + done, count - done);
}

bool PrefetchFile::Ask(int64_t position, size_t count) {
#ifdef POSIX_FADV_WILLNEED
  // Linux starts the reads and returns; they go on after the file is closed.
  return IsOpen() && posix_fadvise(static_cast<int>(handle_), static_cast<off_t>(position),
                                   static_cast<off_t>(count), POSIX_FADV_WILLNEED) == 0;
#else
  (void)position;
  (void)count;
  return false;
#endif
}

std::thread StartPrefetchThread(std::function<void()> body) {
  // A new thread inherits the signal mask of the one that starts it.
  sigset_t all, saved;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, &saved);
  try {
    std::thread thread(std::move(body));
    pthread_sigmask(SIG_SETMASK, &saved, nullptr);
    return thread;
  } catch (...) {
    pthread_sigmask(SIG_SETMASK, &saved, nullptr);
    throw;
  }
}

}  // namespace platform
