#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace platform {

// A file opened only to bring its first bytes into the system's cache before the real
// reader asks for them. It is opened for reading alone and denies others nothing; folders,
// pipes and devices are not opened at all, and the open never waits for a pipe's writer.
// Nothing here throws or reports: a file that cannot be opened simply is not.
//
// Windows refuses to replace or remove a file while any handle holds it open, ours
// included. So this process's own moves, copies and deletes (FileSystem.h) wait for a
// prefetch of a file of the same name to end, and no prefetch opens such a file while they
// run: a prefetch never makes one of them fail. POSIX has no such conflict.
class PrefetchFile {
 public:
  explicit PrefetchFile(const std::string& path);
  ~PrefetchFile();
  PrefetchFile(const PrefetchFile&) = delete;
  PrefetchFile& operator=(const PrefetchFile&) = delete;

  bool IsOpen() const { return handle_ != -1; }
  // The size when it was opened (0 when not open).
  int64_t Size() const { return size_; }
  // Reads up to count bytes at position; fewer at the end and 0 on an error. Clears
  // `cached` when the system had to fetch the bytes from the device, as far as it tells
  // (a hint: where it cannot tell, a read counts as fetched).
  size_t ReadAt(int64_t position, void* buffer, size_t count, bool& cached);

 private:
  intptr_t handle_ = -1;
  int64_t size_ = 0;
  std::string path_;  // Windows: the name the open is registered under
};

// Starts a thread that serves prefetches. On POSIX it receives no signals, so Ctrl+C
// still reaches the thread that runs the pass. Throws std::system_error when the system
// has no thread to give.
std::thread StartPrefetchThread(std::function<void()> body);

}  // namespace platform
