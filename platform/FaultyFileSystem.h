#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

// A file system that fails on purpose, for tests: it passes every call to another one
// until told to fail the k-th call of a kind, to fail reads at a byte of a file, to move
// as between two file systems, or to run out of space.
class FaultyFileSystem final : public ForwardingFileSystem {
 public:
  enum class Call {
    Open,          // OpenForReading: EFOpenError
    Read,          // a read of an open file: EReadError
    Stamp,         // OpenForStamp and StampableFile::Stamp
    SetTimes,      // SetExactTimes
    Folder,        // MakeFolders, RemoveEmptyFolder
    Remove,        // RemoveFile
    Move,          // Move, RenameLetterCase
    Copy,          // Copy
    JournalOpen,   // CreateAppendOnly
    JournalWrite,  // AppendOnlyFile::Append
  };
  static constexpr size_t kCallKinds = 10;

  explicit FaultyFileSystem(FileSystem& inner = RealFileSystem()) : ForwardingFileSystem(inner) {}

  // The k-th call of the kind from now on (1: the next one) fails with the code; with
  // andLater, every call from then on does.
  void FailCall(Call kind, int k, int code, bool andLater = false);
  // Reads of a file whose path ends in `name` fail when they take in byte `at`.
  void FailReadsAt(const std::string& name, int64_t at, int code);
  // Moves go as between two file systems: a copy, then the source removed (the two steps
  // count, and fail, as a Copy and a Remove).
  void MoveAcrossDevices(bool across) { acrossDevices_ = across; }
  // After this many more bytes written (copies, journal text), writes fail with the
  // system's "disk full" code and leave nothing; a negative count makes the disk endless again.
  void FillDiskAfter(int64_t bytes) { spaceLeft_ = bytes; }
  // How many calls of the kind were made since this object was made.
  int Calls(Call kind) const { return calls_[Index(kind)]; }

  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<StampableFile> OpenForStamp(const std::string& path, int& code) override;
  int SetExactTimes(const std::string& path, int64_t modified, int64_t created) override;
  int MakeFolders(const std::string& folder) override;
  int RemoveEmptyFolder(const std::string& folder) override;
  int RemoveFile(const std::string& path, bool evenIfReadOnly) override;
  int Move(const std::string& source, const std::string& target, bool replace) override;
  int Copy(const std::string& source, const std::string& target, bool replace) override;
  int RenameLetterCase(const std::string& source, const std::string& target,
                       const std::function<void(const std::string&)>& beforeDetour) override;
  std::unique_ptr<AppendOnlyFile> CreateAppendOnly(const std::string& path, int& code) override;

  // Counts the call and answers the code it is to fail with, or 0 (for the file
  // wrappers of FaultyFileSystem.cpp).
  int Fault(Call kind);
  // Takes the bytes from the space left; false when they do not fit.
  bool Spend(int64_t bytes);
  // The byte of the path whose reads fail, or -1, and the code they fail with.
  int64_t ReadLimit(const std::string& path, int& code) const;

 private:
  struct Planned {
    int at;  // the call's number among those of its kind
    int code;
    bool andLater;
  };
  struct ReadFault {
    std::string name;
    int64_t at;
    int code;
  };
  static size_t Index(Call kind) { return static_cast<size_t>(kind); }

  std::array<int, kCallKinds> calls_{};
  std::array<std::vector<Planned>, kCallKinds> planned_;
  std::vector<ReadFault> readFaults_;
  bool acrossDevices_ = false;
  int64_t spaceLeft_ = -1;
};

}  // namespace platform
