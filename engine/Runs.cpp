#include "engine/Runs.h"

#include "engine/Journal.h"
#include "engine/ListOnlyDisk.h"
#include "engine/PassDisk.h"
#include "engine/RenameDirectory.h"
#include "engine/RunState.h"
#include "platform/Path.h"
#include "platform/UserFolders.h"

namespace {

int32_t RenamePatterns(const tRunOptions& options, const std::vector<std::string>& patterns,
                       tPassDisk& disk, const tPatternHooks& hooks) {
  int32_t count = 0;
  for (const std::string& pattern : patterns) {
    if (hooks.starting) hooks.starting(pattern);
    count += RenameDirectory(options, pattern, disk);
    if (hooks.done) hooks.done(pattern);
  }
  return count;
}

}  // namespace

int32_t RunRename(const tRunOptions& options, const std::vector<std::string>& patterns,
                  const tPatternHooks& hooks) {
  tJournal journal(platform::JournalFolder());
  tRealDisk disk(&journal);
  return RenamePatterns(options, patterns, disk, hooks);
}

int32_t PreviewRename(const tRunOptions& options, const std::vector<std::string>& patterns,
                      const tPatternHooks& hooks) {
  struct CounterKeeper {
    int32_t value = FileCounter;
    ~CounterKeeper() { FileCounter = value; }
  } keeper;
  tListOnlyDisk disk;
  return RenamePatterns(options, patterns, disk, hooks);
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
