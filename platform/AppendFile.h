#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace platform {

// An append-only file of the real file system (see AppendOnlyFile).
class AppendFile final : public AppendOnlyFile {
 public:
  AppendFile() = default;
  ~AppendFile() override;
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Creates the file; fails when the name is taken. 0 or the system's error code.
  int CreateNew(const std::string& path);
  int Append(const std::string& text) override;
  int Close() override;
  bool IsOpen() const { return handle_ != -1; }

 private:
  intptr_t handle_ = -1;
};

}  // namespace platform
