// Whatever the options, the rename pass must never lose a file: after a pass every byte
// sequence that was there before is there exactly once (moves) or twice (copies), and
// nothing else has appeared.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "engine/pass/RenameDirectory.h"
#include "platform/FileOperations.h"
#include "platform/Path.h"
#include "tests/engine/TortureTrees.h"
#include "tests/support/Photos.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"

namespace fs = std::filesystem;
using test::Photo;
using test::PhotoInfo;

namespace {

const char kSep = platform::PathSeparator();
using test::Contents;
using test::MakeTree;
using test::QuotedFolder;

class NoLoss : public ::testing::Test {
 protected:
  // The journalled run, as a user starts it: plain moves go in planned batches.
  int32_t Run() {
    const tRunResult& result = run.RunRename({dir / "*.*"});
    EXPECT_EQ("", result.Failure);
    return result.Transferred;
  }

  test::TempDir dir;
  test::SettingsSandbox settings;
  test::TestRun run;
  tRunOptions& options = run.options;
};

}  // namespace

TEST_F(NoLoss, MovesWithCollisionsAndACounterKeepEveryFile) {
  MakeTree(dir.Path(), false);
  const auto before = Contents(dir.Path());
  options.Recurse = true;
  options.UseCounter = true;
  options.CounterWidth = 2;
  Run();
  EXPECT_EQ(before, Contents(dir.Path()));
}

TEST_F(NoLoss, MovesIntoOneFolderBeyondTheFreeNamesKeepEveryFile) {
  MakeTree(dir.Path(), false);
  const auto before = Contents(dir.Path());
  // Coarse names in one folder: more collisions than there are free names for some.
  options.Format = QuotedFolder(dir / "sorted" + kSep) + "yyyy-mm";
  options.DropOldName = true;
  options.Recurse = true;
  Run();
  EXPECT_EQ(before, Contents(dir.Path()));
  int failed = 0;
  for (const auto& line : run.sink.lines)
    failed += line.text.find("couldn't rename this file") != std::string::npos;
  EXPECT_GT(failed, 0) << "the tree should overflow the 37 free names";
}

TEST_F(NoLoss, CopiesIntoSubfoldersDoubleEveryFile) {
  MakeTree(dir.Path(), false);
  const auto before = Contents(dir.Path());
  options.Format = QuotedFolder(dir / "sorted" + kSep) + "yyyy\\mm\\dd\\hhnnss_";
  options.CopyFiles = true;
  options.Recurse = true;
  options.UseCounter = true;
  Run();
  // Files of no date or no known kind are not copied.
  std::map<std::string, int> expected = before;
  const auto after = Contents(dir.Path());
  for (auto& [bytes, count] : expected)
    if (bytes.rfind("\xFF\xD8", 0) == 0 && bytes.find("no date") == std::string::npos) count *= 2;
  EXPECT_EQ(expected, after);
}

TEST_F(NoLoss, OverwritingCopiesOfOnePhotoKeepsOneOfEach) {
  MakeTree(dir.Path(), true);
  const auto before = Contents(dir.Path());
  options.Format = QuotedFolder(dir / "sorted" + kSep) + "yyyy-mm-dd";
  options.DropOldName = true;
  options.Overwrite = true;
  options.Recurse = true;
  Run();
  const auto after = Contents(dir.Path());
  ASSERT_EQ(before.size(), after.size());
  for (const auto& [bytes, count] : after) {
    EXPECT_EQ(1, count);
    EXPECT_EQ(1u, before.count(bytes));
  }
}

TEST_F(NoLoss, LetterCaseOnlyRenamesInEveryFolderKeepEveryFile) {
  const std::string folders[] = {"", std::string("p") + kSep, std::string("q") + kSep};
  for (const std::string& folder : folders) {
    platform::ForceDirectories(dir / folder);
    test::WriteBytes(dir / folder + "photo.jpg",
                     Photo(PhotoInfo("2004:05:06 07:08:09", "", "", 0, 0, folder)));
  }
  const auto before = Contents(dir.Path());
  options.Format = "'PHOTO'";
  options.DropOldName = true;
  options.Overwrite = true;
  options.Recurse = true;
  EXPECT_EQ(3, Run());
  EXPECT_EQ(before, Contents(dir.Path()));
  for (const std::string& folder : folders)
    EXPECT_EQ((std::vector<std::string>{"PHOTO.jpg"}), platform::ListFiles(dir / folder + "*"))
        << folder;
}
