// A list-only run tells, line for line, what the real run that follows does, and changes
// nothing; an undo after the real run brings back the tree as it was.

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <tuple>

#include "engine/Runs.h"
#include "engine/journal/Journal.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "tests/engine/TortureTrees.h"
#include "tests/support/Photos.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"

namespace {

const char kSep = platform::PathSeparator();

using Lines = std::vector<std::tuple<std::string, bool, int32_t>>;

Lines Record(test::TestRun& run, const std::function<void()>& work) {
  run.sink.lines.clear();
  work();
  Lines lines;
  for (const auto& line : run.sink.lines) lines.emplace_back(line.text, line.alert, line.increment);
  return lines;
}

void LetterCaseTree(const std::string& root) {
  for (const std::string& folder :
       {std::string(), std::string("p") + kSep, std::string("q") + kSep}) {
    platform::ForceDirectories(root + folder);
    test::WriteBytes(root + folder + "photo.jpg",
                     test::Photo({"2004:05:06 07:08:09", "", "", 0, 0, folder}));
  }
}

struct Scenario {
  const char* name;
  std::function<void(const std::string& root)> makeTree;
  std::function<void(tRunOptions&, const std::string& root)> choose;
  bool replaces;  // targets are replaced: those files cannot come back
};

const Scenario kScenarios[] = {
    {"collisions, a counter and stamps", [](const std::string& r) { test::MakeTree(r, false); },
     [](tRunOptions& o, const std::string&) {
       o.Recurse = o.UseCounter = o.SetFileStamp = true;
       o.CounterWidth = 2;
     },
     false},
    {"one folder beyond the free names", [](const std::string& r) { test::MakeTree(r, false); },
     [](tRunOptions& o, const std::string& r) {
       o.Format = test::QuotedFolder(r + "sorted" + kSep) + "yyyy-mm";
       o.DropOldName = o.Recurse = true;
     },
     false},
    {"copies into subfolders of the format", [](const std::string& r) { test::MakeTree(r, false); },
     [](tRunOptions& o, const std::string& r) {
       o.Format = test::QuotedFolder(r + "sorted" + kSep) + "yyyy\\mm\\dd\\hhnnss_";
       o.CopyFiles = o.Recurse = o.UseCounter = true;
     },
     false},
    {"overwriting", [](const std::string& r) { test::MakeTree(r, true); },
     [](tRunOptions& o, const std::string& r) {
       o.Format = test::QuotedFolder(r + "sorted" + kSep) + "yyyy-mm-dd";
       o.DropOldName = o.Overwrite = o.Recurse = true;
     },
     true},
    {"letter case only", LetterCaseTree,
     [](tRunOptions& o, const std::string&) {
       o.Format = "'PHOTO'";
       o.DropOldName = o.Overwrite = o.Recurse = true;
     },
     false},
};

class ListOnlyAndUndo : public ::testing::TestWithParam<Scenario> {
 protected:
  test::TempDir dir;
  test::SettingsSandbox settings;
};

}  // namespace

TEST_P(ListOnlyAndUndo, TheListIsTheRunAndTheUndoBringsBackTheTree) {
  const Scenario& scenario = GetParam();
  const std::string root = dir / "tree" + kSep;
  scenario.makeTree(root);
  test::TestRun run;
  tRunOptions& options = run.options;
  scenario.choose(options, root);
  const std::vector<std::string> patterns{root + "*.*"};
  const auto before = test::Snapshot(root);
  const auto foldersBefore = test::Folders(root);
  const int32_t counter = run.counter;

  int32_t listed = 0;
  const Lines list = Record(run, [&] { listed = run.PreviewRename(patterns).Transferred; });
  EXPECT_EQ(before, test::Snapshot(root)) << "the list changed files";
  EXPECT_EQ(foldersBefore, test::Folders(root)) << "the list made folders";
  EXPECT_TRUE(ListJournals(platform::RealFileSystem(), settings.JournalFolder()).empty())
      << "the list wrote a journal";
  EXPECT_EQ(counter, run.counter);

  int32_t moved = 0;
  const Lines real = Record(run, [&] { moved = run.RunRename(patterns).Transferred; });
  ASSERT_FALSE(real.empty());
  EXPECT_EQ(real, list);
  EXPECT_EQ(moved, listed);

  const std::string journal = run.LastRunJournal();
  ASSERT_FALSE(journal.empty());
  // Each moved or copied file, and each file whose times alone the stamp changed.
  EXPECT_GE(JournalFileCount(platform::RealFileSystem(), journal), moved);
  tUndoResult result;
  const Lines undo = Record(run, [&] { result = run.UndoRun(journal); });
  EXPECT_EQ(0, result.Refused);
  const auto after = test::Snapshot(root);
  EXPECT_EQ(foldersBefore, test::Folders(root)) << "the run's folders stay";
  if (!scenario.replaces) {
    EXPECT_EQ(0, result.Lost);
    EXPECT_EQ(before, after);
    return;
  }
  // Every file that is back is as it was; the others are the ones reported as replaced.
  EXPECT_GT(result.Lost, 0);
  EXPECT_EQ(before.size() - after.size(), static_cast<size_t>(result.Lost));
  for (const auto& [path, state] : after) {
    ASSERT_EQ(1u, before.count(path)) << path;
    EXPECT_EQ(before.at(path), state) << path;
  }
  size_t lostLines = 0;
  for (const auto& line : undo)
    lostLines += std::get<0>(line).find("cannot come back") != std::string::npos;
  EXPECT_EQ(static_cast<size_t>(result.Lost), lostLines);
}

INSTANTIATE_TEST_SUITE_P(TortureTrees, ListOnlyAndUndo, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& info) {
                           std::string name;
                           for (const char* c = info.param.name; *c; ++c)
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           return name;
                         });
