#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/journal/JournalRecord.h"
#include "platform/FileSystem.h"

// The journal could not be written or read. A run stops rather than change files that
// its undo would not find.
class EJournalError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How many runs' journals the folder keeps; older ones are removed as new ones come.
inline constexpr size_t kJournalsKept = 50;

// The journal of one run, written as the run goes. Its file is made in the folder with
// the first record, so a run that changes nothing leaves no journal.
class tJournal {
 public:
  // undoes: the journal that this run (an undo) takes back, noted in the header.
  tJournal(platform::FileSystem& files, std::string folder, std::string undoes = std::string());
  ~tJournal();
  tJournal(const tJournal&) = delete;
  tJournal& operator=(const tJournal&) = delete;

  // Writes the record before its step and returns its number. Throws EJournalError.
  int64_t Begin(tJournalRecord record);
  // Writes the records of several steps in one go, before any of them, and numbers them.
  // Throws EJournalError.
  void BeginAll(std::vector<tJournalRecord>& records);
  // Marks the step as done, as failed with the system's code, or as never taken. The mark
  // goes out with the next line or when the journal closes: a run killed before it looks,
  // to the undo, like one killed just after the step, which the undo tells apart by where
  // the file is. Via notes the temporary name a letter-case move goes through, before it
  // goes there.
  void Done(int64_t number);
  void Failed(int64_t number, int code);
  void Dropped(int64_t number);
  void Via(int64_t number, const std::string& path);

  // The file, or empty text while nothing has been written.
  const std::string& Path() const { return path_; }

 private:
  void Open();
  void Write(const std::string& text);
  EJournalError WriteFailure(int code) const;

  platform::FileSystem& files_;
  std::string folder_;
  std::string undoes_;
  std::string path_;
  int64_t count_ = 0;
  std::string pendingMarks_;  // Done, Failed and Dropped lines not written yet
  std::string text_;          // what goes out next, kept for its buffer
  std::unique_ptr<platform::AppendOnlyFile> file_;
};

// The folder's journals, oldest first (their names begin with the UTC time they began).
std::vector<std::string> ListJournals(platform::FileSystem& files, const std::string& folder);
// The newest journal of the folder that holds a record, or empty text when there is none.
std::string LastJournal(platform::FileSystem& files, const std::string& folder);
// The journal a user names: the path itself, or a name in the folder.
std::string FindJournal(platform::FileSystem& files, const std::string& name,
                        const std::string& folder);
// Reads a journal. Throws EJournalError when the file cannot be read or is no journal.
tJournalContents ReadJournal(platform::FileSystem& files, const std::string& path);
