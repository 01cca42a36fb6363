#pragma once

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "engine/journal/JournalRecord.h"
#include "engine/pass/MovePlanner.h"
#include "platform/FileSystem.h"

class tJournal;

// The file system of a run that changes files: every change goes into the journal before
// it is made and is marked after, so that an undo finds every file, even after a run was
// killed. Reads pass straight through. A change that cannot be journalled is not made
// (EJournalError). The temporary files that killed copies left are removed from each folder
// the first time the run lists or writes into it.
class tJournalledFileSystem final : public platform::ForwardingFileSystem, public tMovePlanner {
 public:
  tJournalledFileSystem(platform::FileSystem& inner, tJournal& journal);

  std::vector<std::string> ListFiles(const std::string& pattern) override;
  // Notes the facts the file was opened with: the journal takes them for its next
  // transfer instead of asking the disk again.
  std::unique_ptr<platform::ReadableFile> OpenForReading(const std::string& path) override;
  // The stamp is journalled before it is written; a file whose facts cannot be read is
  // not stamped.
  std::unique_ptr<platform::StampableFile> OpenForStamp(const std::string& path,
                                                        int& code) override;
  int SetExactTimes(const std::string& path, int64_t modified, int64_t created) override;
  // Every missing level is journalled, outermost first: an undo removes them again.
  int MakeFolders(const std::string& folder) override;
  // Journalled after the fact: a folder that holds nothing costs nothing if it stays.
  int RemoveEmptyFolder(const std::string& folder) override;
  // Only the copies the run made go (journalled as RemoveCopy does); any other removal is
  // refused.
  int RemoveFile(const std::string& path, bool evenIfReadOnly) override;
  int Move(const std::string& source, const std::string& target, bool replace) override;
  int Copy(const std::string& source, const std::string& target, bool replace) override;
  int RenameLetterCase(const std::string& source, const std::string& target,
                       const std::function<void(const std::string&)>& beforeDetour) override;

  // The planned moves' records go out in one write; their moves then find them.
  void Plan(std::vector<tPlannedMove>& moves) override;
  void Forget() override;

  // Sets a file's times back exactly (its facts now given); 0 or the system's code.
  int SetTimes(const std::string& path, const platform::FileFacts& now,
               const platform::FileFacts& wanted);
  // Removes a copy, journalled as the undo of copying source to copy.
  int RemoveCopy(const std::string& source, const std::string& copy,
                 const platform::FileFacts& facts);

  // After a stamp: the file and its times before it, for the record of its transfer.
  void NoteStamp(const std::string& path, const platform::FileFacts& before);
  tJournal& Journal() { return journal_; }
  // The absolute form of a path, for the journal; AbsoluteInto writes it over `out`.
  std::string Absolute(const std::string& path);
  void AbsoluteInto(std::string& out, const std::string& path);

 private:
  struct PlannedRecord {
    tPlannedMove move;
    int64_t number;
  };

  void Clean(const std::string& path);
  int64_t BeginTransfer(tJournalKind kind, const std::string& source, const std::string& target,
                        bool replace);
  void EndTransfer(int64_t number, int code);
  // The absolute form of a path's folder, ending in a separator.
  const std::string& AbsoluteFolder(const std::string& path);

  tJournal& journal_;
  std::deque<PlannedRecord> planned_;    // planned moves whose records are written
  std::vector<tJournalRecord> records_;  // the last batch's, kept for their buffers
  std::set<std::string> cleaned_;        // folders whose stale temporaries are gone
  // The last copies the run made: enough for any group to take its copies back.
  struct MadeCopy {
    std::string source;
    std::string copy;
    platform::FileFacts sourceFacts;
  };
  static constexpr size_t kCopiesKept = 256;
  std::deque<MadeCopy> copies_;
  bool absoluteKnown_ = false;       // the folder of the last path made absolute ...
  std::string lastFolder_;           // ... as it was given
  std::string lastAbsoluteFolder_;   // ... and absolute, ending in a separator
  uint64_t folderChanges_ = 0;       // how often that folder changed
  uint64_t cleanedAt_ = UINT64_MAX;  // the change of the folder Clean saw last
  std::string notedPath_;            // the file last opened for reading ...
  platform::FileFacts notedFacts_;   // ... and its facts
  std::string stampedPath_;          // the file the last stamp changed
  platform::FileFacts beforeStamp_;  // and its times before
};
