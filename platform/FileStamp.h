#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace platform {

// A file of the real file system opened for reading and writing, denying others nothing,
// to read and set its times (see StampableFile).
class FileStamp final : public StampableFile {
 public:
  FileStamp() = default;
  ~FileStamp() override;
  FileStamp(const FileStamp&) = delete;
  FileStamp& operator=(const FileStamp&) = delete;

  // False, with the last error set, when the file cannot be opened for reading and
  // writing; read-only files never are.
  bool Open(const std::string& path);
  bool Facts(FileFacts& facts) override;
  bool Times(FileTimes& times) override;
  int Stamp(TDateTime localTime) override;
  void Close();

 private:
  intptr_t handle_ = -1;
};

}  // namespace platform
