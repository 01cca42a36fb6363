#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "engine/JournalRecord.h"
#include "platform/DateTime.h"
#include "platform/FileTimes.h"

class tJournal;

// Every look at and change of the disk that the rename pass makes. The real disk does
// them (and journals each change when given a journal); the list-only disk changes
// nothing and answers as the disk would after the changes the run has made so far.
class tPassDisk {
 public:
  virtual ~tPassDisk() = default;

  // As platform::ListFiles and platform::ListSubdirectories.
  virtual std::vector<std::string> ListFiles(const std::string& pattern) = 0;
  virtual std::vector<std::string> ListSubdirectories(const std::string& folder) = 0;
  // The file whose bytes are read for this path.
  virtual std::string ContentPath(const std::string& path) = 0;
  // The size and times of a file as its reader found them on opening it: the journal
  // takes them for the file's next transfer instead of asking the disk again.
  virtual void NoteFacts(const std::string& /*path*/, const platform::FileFacts& /*facts*/) {}
  // As platform::FileExists and platform::IsSameFile.
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool IsSameFile(const std::string& first, const std::string& second) = 0;
  // The folder exists afterwards, with every missing parent made; false when it cannot be.
  virtual bool MakeFolder(const std::string& folder) = 0;
  // The /T stamp: both file times become the moment, unless both already are. A file
  // that cannot be opened for writing is left alone; a failed write raises EInOutError.
  virtual void Stamp(const std::string& path, TDateTime moment) = 0;
  // A move that never replaces: 0 or the system's code, as platform::MoveFileSafely.
  virtual int TryMove(const std::string& source, const std::string& target) = 0;
  // As MoveFileExt, CopyFileExt and RenameLetterCase (they raise EInOutError).
  virtual void Move(const std::string& source, const std::string& target, bool replace) = 0;
  virtual void Copy(const std::string& source, const std::string& target, bool replace) = 0;
  virtual void RenameLetterCase(const std::string& source, const std::string& target) = 0;
};

// The disk itself. With a journal every change is recorded before it is made and marked
// after. The temporary files that killed copies left are removed from each folder the
// first time this object lists or writes into it.
class tRealDisk : public tPassDisk {
 public:
  explicit tRealDisk(tJournal* journal = nullptr) : journal_(journal) {}

  std::vector<std::string> ListFiles(const std::string& pattern) override;
  std::vector<std::string> ListSubdirectories(const std::string& folder) override;
  std::string ContentPath(const std::string& path) override { return path; }
  void NoteFacts(const std::string& path, const platform::FileFacts& facts) override;
  bool FileExists(const std::string& path) override;
  bool IsSameFile(const std::string& first, const std::string& second) override;
  bool MakeFolder(const std::string& folder) override;
  void Stamp(const std::string& path, TDateTime moment) override;
  int TryMove(const std::string& source, const std::string& target) override;
  void Move(const std::string& source, const std::string& target, bool replace) override;
  void Copy(const std::string& source, const std::string& target, bool replace) override;
  void RenameLetterCase(const std::string& source, const std::string& target) override;

  // Sets a file's times back exactly, journalled; false when that failed.
  bool SetTimes(const std::string& path, const platform::FileFacts& now,
                const platform::FileFacts& wanted);
  // Removes a copy, journalled as the undo of copying source to copy.
  bool RemoveCopy(const std::string& source, const std::string& copy,
                  const platform::FileFacts& facts);
  // Removes a folder that holds nothing, journalled; false when it is not empty.
  bool RemoveFolder(const std::string& folder);

 private:
  void Clean(const std::string& folder);
  int64_t BeginTransfer(tJournalKind kind, const std::string& source, const std::string& target,
                        bool replace);
  void EndTransfer(int64_t number, int code);

  // The absolute form of a path, for the journal, and of its folder (ending in a
  // separator).
  std::string Absolute(const std::string& path);
  const std::string& AbsoluteFolder(const std::string& path);

  tJournal* journal_;
  std::set<std::string> cleaned_;    // folders whose stale temporaries are gone
  bool absoluteKnown_ = false;       // the folder of the last path made absolute ...
  std::string lastFolder_;           // ... as it was given
  std::string lastAbsoluteFolder_;   // ... and absolute, ending in a separator
  uint64_t folderChanges_ = 0;       // how often that folder changed
  uint64_t cleanedAt_ = UINT64_MAX;  // the change of the folder Clean saw last
  std::string knownFolder_;          // the folder MakeFolder found last
  std::string notedPath_;            // the file NoteFacts was told of last ...
  platform::FileFacts notedFacts_;   // ... and its facts
  std::string stampedPath_;          // the file the last stamp changed
  platform::FileFacts beforeStamp_;  // and its times before
};
