#pragma once

#include <string>

#include "platform/DateTime.h"

namespace platform {

// Creation and last-write time of a file as local date-times with milliseconds.
// POSIX keeps no settable creation time: there both fields hold the modification time.
struct FileTimes {
  TDateTime creation = 0;
  TDateTime lastWrite = 0;
};

// A file opened for reading and writing, denying others nothing, to read and set its
// times. Read-only files cannot be opened this way.
class FileStamp {
 public:
  FileStamp() = default;
  ~FileStamp();
  FileStamp(const FileStamp&) = delete;
  FileStamp& operator=(const FileStamp&) = delete;

  // False when the file cannot be opened for reading and writing.
  bool Open(const std::string& path);
  // False when the times cannot be read.
  bool Read(FileTimes& times) const;
  // Sets creation and last-write time (POSIX: the modification time) to the local
  // date-time; the last-access time stays. False with the last error set on failure.
  bool Write(TDateTime localTime);
  void Close();

 private:
  intptr_t handle_ = -1;
};

// The times of a file by name, without opening it for writing. False when unreadable.
bool GetFileTimes(const std::string& path, FileTimes& times);

}  // namespace platform
