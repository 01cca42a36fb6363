#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace platform {

// A file of the real file system opened for reading, denying other processes nothing.
class InputFile final : public ReadableFile {
 public:
  // Throws EFOpenError naming the full path and the system's reason.
  explicit InputFile(const std::string& path);
  ~InputFile() override;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  const FileFacts& Facts() const override { return factsWhenOpened_; }
  // Throws EReadError naming the full path and the system's reason.
  size_t ReadAt(int64_t position, void* buffer, size_t count) override;

 private:
  intptr_t handle_;
  std::string path_;  // for the message of a read error
  FileFacts factsWhenOpened_;
};

}  // namespace platform
