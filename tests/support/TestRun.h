#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/journal/Undo.h"
#include "engine/pass/Run.h"
#include "platform/FileSystem.h"

namespace test {

// Keeps a run's events as the lines a user reads, oldest first. A test may act on each
// line (stop the run, delete a file...).
class RecordingSink : public tRunEvents {
 public:
  struct Line {
    std::string text;
    bool alert;
    int32_t increment;
    tRunEventKind kind;
  };

  void Report(const tRunEvent& event) override;
  void PassEnded() override { ++clears; }

  std::vector<std::string> Texts() const;

  std::vector<Line> lines;
  int clears = 0;
  std::function<void(const std::string&)> onLine;
};

// A run as the frontends make one, for tests: the options, the settings' naming tables as
// they are when each pass starts, the real file system (or another), the events recorded.
class TestRun {
 public:
  explicit TestRun(platform::FileSystem& files = platform::RealFileSystem());
  TestRun(const TestRun&) = delete;
  TestRun& operator=(const TestRun&) = delete;

  // One rename pass of the pattern, as RenameDirectory makes it (not journalled).
  int32_t Rename(const std::string& pattern);
  // Whole runs as the frontends start them (engine/Runs.h), each with a result of its own.
  const tRunResult& RunRename(const std::vector<std::string>& patterns);
  const tRunResult& PreviewRename(const std::vector<std::string>& patterns);
  tUndoResult UndoRun(const std::string& journal);
  // The journal of the last run that changed anything (on this run's file system).
  std::string LastRunJournal();
  // The run as tRun, its naming tables taken from the settings now.
  tRun& Run();

  tRunOptions& options;  // the run's own
  RecordingSink sink;
  int32_t counter = 0;
  tCancelToken cancel;

 private:
  tRun run_;
};

}  // namespace test
