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
  // Only the bytes at position that the cache holds, without waiting for any: fewer than
  // count where one is missing. 0 on systems that cannot tell (Windows).
  size_t ReadCached(int64_t position, void* buffer, size_t count);
  // Asks the system to bring the bytes into its cache and returns at once, so that one
  // thread can have many files on their way. False on systems without such a request
  // (Windows): the bytes must then be read.
  bool Ask(int64_t position, size_t count);

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
