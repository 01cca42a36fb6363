#include "engine/Runs.h"

#include <exception>

#include "engine/journal/Journal.h"
#include "engine/journal/JournalledFileSystem.h"
#include "engine/journal/ListOnlyFileSystem.h"
#include "engine/pass/RenameDirectory.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/UserFolders.h"

namespace {

// The run works on another file system (and planner) while this lives.
class FilesFor {
 public:
  FilesFor(tRun& run, platform::FileSystem& files, tMovePlanner* planner)
      : run_(run), files_(run.Files), planner_(run.Planner) {
    run.Files = &files;
    run.Planner = planner;
  }
  ~FilesFor() {
    run_.Files = files_;
    run_.Planner = planner_;
  }
  FilesFor(const FilesFor&) = delete;
  FilesFor& operator=(const FilesFor&) = delete;

 private:
  tRun& run_;
  platform::FileSystem* files_;
  tMovePlanner* planner_;
};

// Runs the work; what ends it becomes the result's failure.
template <typename Work>
void Guarded(tRun& run, Work work) {
  try {
    work();
  } catch (const std::exception& failure) {
    run.Result.Failure = failure.what();
  }
  if (run.Stopped()) run.Result.Stopped = true;
}

void RenamePatterns(tRun& run, const std::vector<std::string>& patterns) {
  for (const std::string& pattern : patterns) {
    if (run.Cancel != nullptr) {
      if (run.Cancel->RunEnded()) break;
      run.Cancel->BeginPattern();  // Stop ends the pattern under way, not the run
    }
    if (run.Events != nullptr) run.Events->PatternStarting(pattern);
    RenameDirectory(run, pattern);
    if (run.Stopped()) run.Result.Stopped = true;
    if (run.Events != nullptr) run.Events->PatternDone(pattern);
  }
}

}  // namespace

const tRunResult& RunRename(tRun& run, const std::vector<std::string>& patterns) {
  platform::FileSystem& files = *run.Files;
  tJournal journal(files, platform::JournalFolder());
  tJournalledFileSystem journalled(files, journal);
  FilesFor use(run, journalled, &journalled);
  Guarded(run, [&] { RenamePatterns(run, patterns); });
  return run.Result;
}

const tRunResult& PreviewRename(tRun& run, const std::vector<std::string>& patterns) {
  const int32_t counter = *run.Counter;
  tListOnlyFileSystem listOnly(*run.Files);
  {
    FilesFor use(run, listOnly, nullptr);
    Guarded(run, [&] { RenamePatterns(run, patterns); });
  }
  *run.Counter = counter;
  return run.Result;
}

tUndoResult UndoRun(tRun& run, const std::string& journal) {
  tUndoResult result;
  platform::FileSystem& files = *run.Files;
  Guarded(run, [&] {
    const tJournalContents contents = ReadJournal(files, journal);
    tJournal own(files, platform::JournalFolder(), platform::AbsolutePath(journal));
    tJournalledFileSystem journalled(files, own);
    FilesFor use(run, journalled, nullptr);
    if (run.Cancel != nullptr) run.Cancel->BeginPattern();
    result = UndoJournal(contents, run, journalled);
  });
  return result;
}

std::string LastRunJournal(platform::FileSystem& files) {
  return LastJournal(files, platform::JournalFolder());
}

std::string FindRunJournal(platform::FileSystem& files, const std::string& name) {
  return FindJournal(files, name, platform::JournalFolder());
}

int32_t JournalFileCount(platform::FileSystem& files, const std::string& journal) {
  return CountJournalFiles(ReadJournal(files, journal));
}
