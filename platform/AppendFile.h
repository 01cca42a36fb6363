#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A text file that only grows, for records that must be on disk before the step they
// describe: each Append is one system call, so a process killed at any moment leaves
// whole lines (the system keeps what was written even if the process dies).
class AppendFile {
 public:
  AppendFile() = default;
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Creates the file; fails when the name is taken. False with the last error set.
  bool CreateNew(const std::string& path);
  // Writes the text at the end. False with the last error set.
  bool Append(const std::string& text);
  // Flushes the file to disk and closes it; false when the flush failed.
  bool Close();
  bool IsOpen() const { return handle_ != -1; }

 private:
  intptr_t handle_ = -1;
};

}  // namespace platform
