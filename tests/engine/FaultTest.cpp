// Runs on a file system that fails on purpose: whatever fails, no file is lost, the failure
// is reported (as the file's line, or as the failure that ended the run), and the journal
// holds every change made, so that the undo brings the folder back.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "platform/FaultyFileSystem.h"
#include "platform/FileOperations.h"
#include "platform/Path.h"
#include "tests/engine/TortureTrees.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/Photos.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"
#include "tests/support/TiffBuilder.h"

namespace {

using Call = platform::FaultyFileSystem::Call;
using test::Photo;

int IoError() { return platform::SystemCode(platform::KnownError::InputOutput); }
int DiskFull() { return platform::SystemCode(platform::KnownError::DiskFull); }

// How many lines of the run say this about the file.
int LinesSaying(const test::RecordingSink& sink, const std::string& path, const std::string& what) {
  int count = 0;
  for (const auto& line : sink.lines)
    count += line.text.find(path + " -> " + what) != std::string::npos;
  return count;
}

// Every photo of before is still there: once after moves, at least once after copies.
void ExpectNothingLost(const std::map<std::string, int>& before,
                       const std::map<std::string, int>& now, bool copies) {
  for (const auto& [bytes, count] : before) {
    const auto found = now.find(bytes);
    ASSERT_NE(now.end(), found) << "a file is lost";
    if (copies)
      EXPECT_GE(found->second, count);
    else
      EXPECT_EQ(count, found->second) << "a file is there twice";
  }
}

class Faults : public ::testing::Test {
 protected:
  // Photos of about 60 KB, told apart by their bytes.
  void AddPhotos(int count) {
    for (int i = 0; i < count; ++i) {
      const std::string date =
          "2004:0" + std::to_string(1 + i % 3) + ":0" + std::to_string(1 + i) + " 07:08:09";
      const std::string salt = "photo " + std::to_string(i) + std::string(60000, 'x');
      test::WriteBytes(dir / ("IMG_" + std::to_string(i) + ".JPG"),
                       Photo({date, "", "", 0, 0, salt}));
    }
  }
  // The journals of earlier rounds go: the next undo is the last run's.
  void ClearJournals() {
    const std::string folder = settings.JournalFolder() + platform::PathSeparator();
    for (const std::string& name : platform::ListFiles(folder + "*"))
      platform::RemoveFile(folder + name);
  }
  // Takes back the last run with a file system that does not fail.
  void UndoLastRun() {
    test::TestRun healthy;
    const std::string journal = healthy.LastRunJournal();
    if (journal.empty()) return;
    const tUndoResult undone = healthy.UndoRun(journal);
    EXPECT_EQ(0, undone.Refused) << journal;
    EXPECT_EQ(0, undone.Lost) << journal;
  }

  test::TempDir dir;
  test::SettingsSandbox settings;
};

}  // namespace

// Every write of the journal fails in turn, in the modes that write it differently: plain
// moves (their intents in batches) into folders the run makes, stamped moves and copies (a
// record or two a file).
TEST_F(Faults, AJournalWriteThatFailsStopsTheRunBeforeTheChangeItCouldNotRecord) {
  const std::function<void(tRunOptions&)> modes[] = {
      [&](tRunOptions& o) { o.Format = test::QuotedFolder(dir / "sorted") + "\\yyyy\\mm\\dd_"; },
      [](tRunOptions& o) { o.SetFileStamp = true; },
      [](tRunOptions& o) { o.CopyFiles = o.UseCounter = true; },
  };
  for (size_t mode = 0; mode < std::size(modes); ++mode) {
    AddPhotos(5);
    const auto before = test::Snapshot(dir.Path());
    const auto contents = test::Contents(dir.Path());
    bool finished = false;
    int failures = 0;
    for (int k = 1; !finished && k < 40; ++k) {
      SCOPED_TRACE("mode " + std::to_string(mode) + ", journal write " + std::to_string(k));
      platform::FaultyFileSystem files;
      files.FailCall(Call::JournalWrite, k, DiskFull());
      test::TestRun run(files);
      modes[mode](run.options);
      const tRunResult result = run.RunRename({dir / "*.JPG"});
      finished = result.Failure.empty();
      if (!finished) {
        ++failures;
        EXPECT_EQ(0u, result.Failure.find("Cannot write the journal \"")) << result.Failure;
        EXPECT_NE(std::string::npos, result.Failure.find(platform::SystemErrorMessage(DiskFull())));
        EXPECT_LT(result.Transferred, 5);
      }
      ExpectNothingLost(contents, test::Contents(dir.Path()), run.options.CopyFiles);
      UndoLastRun();
      EXPECT_EQ(before, test::Snapshot(dir.Path())) << "the journal missed a change";
      ClearJournals();
    }
    EXPECT_TRUE(finished) << "a run with room enough never ended";
    EXPECT_GE(failures, mode == 0 ? 3 : 6) << "fewer journal writes than files";
    for (const auto& [name, state] : before) platform::RemoveFile(dir / name);
  }
}

// A block of the Exif data that cannot be read is no missing value: the file is reported
// and keeps its name, and is never named after the other date instead.
TEST_F(Faults, AReadErrorInsideTheExifBlockLeavesTheFileAsItIs) {
  // The capture time lies far behind the image data; the file's own time is at its start.
  const auto jpeg = [](uint32_t originalAt) {
    const uint32_t tiffStart = 12;  // FF D8, FF E1, length, "Exif" and two zero bytes
    test::TiffBuilder tiff(test::ByteOrder::Little);
    tiff.Ascii(0x0132, "2001:01:01 10:00:00").ExifIfd().Raw(0x9003, 2, 20, originalAt - tiffStart);
    return test::JpegFile(test::ExifApp1(tiff.Bytes()), 300000);
  };
  const auto original = static_cast<uint32_t>(jpeg(0).size() + 4096);
  std::string bytes = jpeg(original);
  bytes.resize(original, '\0');
  bytes += std::string("2002:02:02 20:00:00", 20);
  test::WriteBytes(dir / "far.jpg", bytes);
  test::WriteBytes(dir / "near.jpg", Photo({"2003:03:03 03:03:03", "2003:03:03 03:03:03"}));

  platform::FaultyFileSystem files;
  files.FailReadsAt("far.jpg", original + 3, IoError());
  test::TestRun run(files);
  run.options.OriginalFirst = true;
  run.options.Format = "yyyy_";
  EXPECT_EQ(1, run.RunRename({dir / "*.jpg"}).Transferred);
  EXPECT_EQ(1, LinesSaying(run.sink, dir / "far.jpg", "couldn't read this file"));
  EXPECT_TRUE(test::Exists(dir / "far.jpg"));
  EXPECT_FALSE(test::Exists(dir / "2001_far.jpg")) << "named after the fallback date";
  EXPECT_TRUE(test::Exists(dir / "2003_near.jpg"));
  EXPECT_EQ(1, run.Run().Result.Problems());

  // Read well, the same file is named after its capture time.
  test::TestRun healthy;
  healthy.options = run.options;
  EXPECT_EQ(1, healthy.RunRename({dir / "far.jpg"}).Transferred);
  EXPECT_TRUE(test::Exists(dir / "2002_far.jpg"));
}

// A stamp that cannot be written is reported; the file keeps its name, and the journal's
// record of it is marked failed, so the undo has nothing to put back.
TEST_F(Faults, AFailedStampIsAProblemLineAndTheFileKeepsItsName) {
  AddPhotos(3);
  const auto before = test::Snapshot(dir.Path());
  platform::FaultyFileSystem files;
  files.FailCall(Call::Stamp, 2, IoError());
  test::TestRun run(files);
  run.options.SetFileStamp = true;
  run.options.Format = "yyyymmdd_";
  const tRunResult& result = run.RunRename({dir / "*.JPG"});
  EXPECT_EQ("", result.Failure);
  EXPECT_EQ(2, result.Transferred);
  EXPECT_EQ(1, result.Count(tRunEventKind::CouldNotStamp));
  int failedLines = 0;
  for (const auto& line : run.sink.lines) {
    if (line.text.find(" -> couldn't set this file's times") == std::string::npos) continue;
    ++failedLines;
    EXPECT_TRUE(line.alert);
    const std::string path = line.text.substr(line.text.find(": ") + 2,
                                              line.text.find(" -> ") - line.text.find(": ") - 2);
    EXPECT_TRUE(test::Exists(path)) << path << " was renamed all the same";
  }
  EXPECT_EQ(1, failedLines);
  UndoLastRun();
  EXPECT_EQ(before, test::Snapshot(dir.Path()));
}

// An undo step that fails says so, the others are taken, and a later undo takes the rest.
TEST_F(Faults, AFailedUndoStepIsReportedAndTheRestIsTakenBack) {
  AddPhotos(4);
  const auto before = test::Snapshot(dir.Path());
  test::TestRun run;
  run.options.SetFileStamp = true;
  run.options.Format = "yyyy-mm-dd_";
  ASSERT_EQ(4, run.RunRename({dir / "*.JPG"}).Transferred);
  const std::string journal = run.LastRunJournal();

  platform::FaultyFileSystem files;
  files.FailCall(Call::Move, 2, IoError());      // one file cannot go back ...
  files.FailCall(Call::SetTimes, 2, IoError());  // ... and another's times cannot
  test::TestRun undo(files);
  const tUndoResult result = undo.UndoRun(journal);
  EXPECT_EQ(3, result.Undone);
  EXPECT_EQ(2, result.Refused);
  int notMoved = 0, noTimes = 0;
  for (const auto& line : undo.sink.lines) {
    notMoved += line.text.find(" -> not undone: couldn't move this file back") != std::string::npos;
    noTimes += line.text.find(" -> not undone: couldn't put its times back") != std::string::npos;
  }
  EXPECT_EQ(1, notMoved);
  EXPECT_EQ(1, noTimes);
  EXPECT_EQ(4u, test::Contents(dir.Path()).size());

  // The undo of the undo, and then the run's journal again, bring back what is left.
  test::TestRun again;
  again.UndoRun(again.LastRunJournal());
  again.UndoRun(journal);
  EXPECT_EQ(before, test::Snapshot(dir.Path()));
}

// A move to another file system is a copy and a removal: when the disk there is full, or
// the source cannot be removed, the file stays where it was, whole, and nothing is left
// half way at the target.
TEST_F(Faults, MovesAcrossFileSystemsThatFailLeaveOnlyTheSource) {
  AddPhotos(4);
  const auto before = test::Snapshot(dir.Path());
  const int64_t photo = static_cast<int64_t>(test::ReadBytes(dir / "IMG_0.JPG").size());
  struct Case {
    const char* name;
    std::function<void(platform::FaultyFileSystem&)> fail;
    int moved;
  };
  const Case cases[] = {
      {"a full disk after two files", [&](auto& f) { f.FillDiskAfter(2 * photo + photo / 2); }, 2},
      {"the second source cannot be removed",
       [](auto& f) { f.FailCall(Call::Remove, 2, IoError()); }, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform::FaultyFileSystem files;
    files.MoveAcrossDevices(true);
    c.fail(files);
    test::TestRun run(files);
    run.options.Format = "yyyy_";
    const tRunResult result = run.RunRename({dir / "*.JPG"});
    EXPECT_EQ("", result.Failure);
    EXPECT_EQ(c.moved, result.Transferred);
    EXPECT_EQ(4 - c.moved, result.Count(tRunEventKind::CouldNotRename));
    EXPECT_EQ(4u, test::Snapshot(dir.Path()).size()) << "a copy was left half way";
    UndoLastRun();
    EXPECT_EQ(before, test::Snapshot(dir.Path()));
  }
}
