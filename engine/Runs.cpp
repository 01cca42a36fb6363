#include "engine/Runs.h"

#include "engine/Journal.h"
#include "engine/ListOnlyDisk.h"
#include "engine/PassDisk.h"
#include "engine/RenameDirectory.h"
#include "engine/RunState.h"
#include "platform/Path.h"
#include "platform/UserFolders.h"

int32_t RunRename(const tRunOptions& options, const std::vector<std::string>& patterns) {
  tJournal journal(platform::JournalFolder());
  tRealDisk disk(&journal);
  int32_t count = 0;
  for (const std::string& pattern : patterns) count += RenameDirectory(options, pattern, disk);
  return count;
}

int32_t PreviewRename(const tRunOptions& options, const std::vector<std::string>& patterns) {
  struct CounterKeeper {
    int32_t value = FileCounter;
    ~CounterKeeper() { FileCounter = value; }
  } keeper;
  tListOnlyDisk disk;
  int32_t count = 0;
  for (const std::string& pattern : patterns) count += RenameDirectory(options, pattern, disk);
  return count;
}

std::string LastRunJournal() { return LastJournal(platform::JournalFolder()); }

std::string FindRunJournal(const std::string& name) {
  return FindJournal(name, platform::JournalFolder());
}

int32_t JournalFileCount(const std::string& journal) {
  return CountJournalFiles(ReadJournal(journal));
}

tUndoResult UndoRun(const std::string& journal) {
  const tJournalContents contents = ReadJournal(journal);
  tJournal own(platform::JournalFolder(), platform::AbsolutePath(journal));
  tRealDisk disk(&own);
  return UndoJournal(contents, disk);
}
