#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/FileTimes.h"

namespace platform {

// A file opened for reading that denies other processes nothing: they may read,
// write, rename or delete it meanwhile.
class InputFile {
 public:
  // Throws EFOpenError naming the full path and the system's reason.
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Current size in bytes (0 when it cannot be queried).
  int64_t Size() const;
  // The size when the file was opened, known without asking the system again.
  int64_t SizeWhenOpened() const { return factsWhenOpened_.size; }
  // Its size and times when it was opened (as ReadFileFacts gives them).
  const FileFacts& FactsWhenOpened() const { return factsWhenOpened_; }
  int64_t Position() const { return position_; }
  // Any position is allowed, also beyond the end; reads there deliver nothing.
  void Seek(int64_t position) { position_ = position < 0 ? 0 : position; }
  // Reads up to count bytes at the position and advances past what was read.
  // Returns fewer bytes at the end of the file and 0 on a read error; never throws.
  size_t Read(void* buffer, size_t count);

 private:
  intptr_t handle_;
  int64_t position_ = 0;
  FileFacts factsWhenOpened_;
};

}  // namespace platform
