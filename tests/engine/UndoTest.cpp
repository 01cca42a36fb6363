#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Runs.h"
#include "engine/journal/Journal.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"
#include "platform/FileTimes.h"
#include "platform/Path.h"
#include "tests/engine/TortureTrees.h"
#include "tests/support/Photos.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"

using test::Photo;
using test::PhotoInfo;
using test::ReadBytes;
using test::WriteBytes;

namespace {

class Undo : public ::testing::Test {
 protected:
  std::string Add(const std::string& name, const std::string& date) {
    WriteBytes(dir / name, Photo(PhotoInfo(date, "", "", 0, 0, name)));
    return dir / name;
  }
  int32_t Run() { return run.RunRename({dir / "*.jpg"}).Transferred; }
  tUndoResult UndoLast() { return run.UndoRun(run.LastRunJournal()); }
  // The alert lines of the undo that name the path, without their "Stampel n: ".
  std::vector<std::string> AlertsAbout(const std::string& path) const {
    std::vector<std::string> found;
    for (const auto& line : sink.lines)
      if (line.alert && line.text.find(path) != std::string::npos) {
        EXPECT_EQ(0u, line.text.find("Stampel ")) << line.text;
        found.push_back(line.text.substr(line.text.find(": ") + 2));
      }
    return found;
  }

  test::TempDir dir;
  test::SettingsSandbox settings;
  test::TestRun run;
  test::RecordingSink& sink = run.sink;
  tRunOptions& options = run.options;
};

}  // namespace

TEST_F(Undo, RefusesAnEditedOrRenamedFileAndATakenNameAndLosesNothing) {
  Add("a.jpg", "2001:01:01 00:00:00");
  Add("b.jpg", "2002:01:01 00:00:00");
  Add("c.jpg", "2003:01:01 00:00:00");
  const std::string d = Add("d.jpg", "2004:01:01 00:00:00");
  const std::string dBytes = ReadBytes(d);
  options.Format = "yyyy_";
  ASSERT_EQ(4, Run());
  const std::string editedA = dir / "2001_a.jpg";
  WriteBytes(editedA, ReadBytes(editedA) + " edited");
  platform::MoveFileSafely(dir / "2002_b.jpg", dir / "elsewhere.jpg", false);
  WriteBytes(dir / "c.jpg", "a new file under the old name");
  const auto before = test::Contents(dir.Path());
  sink.lines.clear();

  const tUndoResult result = UndoLast();
  EXPECT_EQ(1, result.Undone);
  EXPECT_EQ(3, result.Refused);
  EXPECT_EQ(dBytes, ReadBytes(d));
  EXPECT_EQ((std::vector<std::string>{editedA + " -> not undone: changed since the run"}),
            AlertsAbout(editedA));
  EXPECT_EQ((std::vector<std::string>{dir / "2002_b.jpg" + " -> not undone: no longer there"}),
            AlertsAbout("2002_b.jpg"));
  EXPECT_EQ((std::vector<std::string>{dir / "2003_c.jpg" + " -> not undone: " + dir / "c.jpg" +
                                      " is taken"}),
            AlertsAbout("2003_c.jpg"));
  EXPECT_EQ(before, test::Contents(dir.Path())) << "every file is still there";
}

TEST_F(Undo, ACopyGoesOnlyWhenUnchangedAndEqualToASourceThatIsThere) {
  Add("a.jpg", "2001:01:01 00:00:00");
  Add("b.jpg", "2002:01:01 00:00:00");
  Add("c.jpg", "2003:01:01 00:00:00");
  options.Format = "yyyy_";
  options.CopyFiles = true;
  ASSERT_EQ(3, Run());
  // The same size and time, other bytes: only the comparison with the source tells.
  const std::string copyA = dir / "2001_a.jpg";
  platform::FileFacts facts;
  ASSERT_TRUE(platform::ReadFileFacts(copyA, facts));
  std::string bytes = ReadBytes(copyA);
  bytes.back() ^= 1;
  WriteBytes(copyA, bytes);
  ASSERT_TRUE(platform::SetExactFileTimes(copyA, facts.modified, facts.created));
  platform::RemoveFile(dir / "b.jpg");
  sink.lines.clear();

  const tUndoResult result = UndoLast();
  EXPECT_EQ(1, result.Undone);
  EXPECT_FALSE(test::Exists(dir / "2003_c.jpg"));
  EXPECT_TRUE(test::Exists(dir / "c.jpg"));
  EXPECT_EQ(bytes, ReadBytes(copyA));
  EXPECT_TRUE(test::Exists(dir / "2002_b.jpg"));
  ASSERT_EQ(1u, AlertsAbout(copyA).size());
  EXPECT_NE(std::string::npos, AlertsAbout(copyA)[0].find("differs from its source"));
  ASSERT_EQ(1u, AlertsAbout("2002_b.jpg").size());
  EXPECT_NE(std::string::npos,
            AlertsAbout("2002_b.jpg")[0].find("its source " + dir / "b.jpg" + " is gone"));
}

TEST_F(Undo, AnUndoIsJournalledAndCanItselfBeUndone) {
  Add("a.jpg", "2001:01:01 00:00:00");
  Add("b.jpg", "2002:01:01 00:00:00");
  platform::ForceDirectories(dir / "kept");
  options.Format = test::QuotedFolder(dir / "sorted" + platform::PathSeparator()) + "yyyy\\";
  options.SetFileStamp = true;
  const auto original = test::Snapshot(dir.Path());
  ASSERT_EQ(2, Run());
  const auto renamed = test::Snapshot(dir.Path());
  const std::string runJournal = run.LastRunJournal();

  EXPECT_EQ(2, UndoLast().Undone);
  EXPECT_EQ(original, test::Snapshot(dir.Path())) << "names, contents and times as before";
  EXPECT_FALSE(platform::DirectoryExists(dir / "sorted")) << "the folders the run made go";
  const std::string undoJournal = run.LastRunJournal();
  EXPECT_NE(runJournal, undoJournal);
  EXPECT_EQ(runJournal, ReadJournal(platform::RealFileSystem(), undoJournal).Undoes);

  UndoLast();
  EXPECT_EQ(renamed, test::Snapshot(dir.Path()));
}

TEST_F(Undo, AReplacedTargetIsReportedAsLost) {
  const std::string source = Add("a.jpg", "2001:01:01 00:00:00");
  const std::string bytes = ReadBytes(source);
  WriteBytes(dir / "2001_a.jpg", "the file that was there");
  options.Format = "yyyy_";
  options.Overwrite = true;
  ASSERT_EQ(1, run.RunRename({source}).Transferred);
  sink.lines.clear();
  const tUndoResult result = UndoLast();
  EXPECT_EQ(1, result.Undone);
  EXPECT_EQ(1, result.Lost);
  EXPECT_EQ(bytes, ReadBytes(source));
  EXPECT_FALSE(test::Exists(dir / "2001_a.jpg"));
  ASSERT_EQ(1u, AlertsAbout("2001_a.jpg").size());
  EXPECT_NE(std::string::npos, AlertsAbout("2001_a.jpg")[0].find("cannot come back"));
}

TEST_F(Undo, TimesThatOnlyTheStampChangedGoBack) {
  // Already named as the format says: nothing to rename, but stamped.
  const std::string path = Add("2004_.jpg", "2004:05:06 07:08:09");
  platform::FileFacts before;
  ASSERT_TRUE(platform::ReadFileFacts(path, before));
  options.Format = "yyyy_";
  options.DropOldName = true;
  options.SetFileStamp = true;
  EXPECT_EQ(0, Run());
  platform::FileFacts stamped;
  ASSERT_TRUE(platform::ReadFileFacts(path, stamped));
  ASSERT_NE(before.modified, stamped.modified);
  EXPECT_EQ(1, JournalFileCount(platform::RealFileSystem(), run.LastRunJournal()));
  EXPECT_EQ(1, UndoLast().Undone);
  platform::FileFacts after;
  ASSERT_TRUE(platform::ReadFileFacts(path, after));
  EXPECT_EQ(before.modified, after.modified);
}

TEST_F(Undo, ARunThatChangesNothingLeavesNoJournal) {
  WriteBytes(dir / "notes.jpg", "no picture at all");
  EXPECT_EQ(0, Run());
  EXPECT_EQ("", run.LastRunJournal());
}
