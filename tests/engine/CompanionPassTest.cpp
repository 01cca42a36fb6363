// Files that belong together move together: the rename pass on folders of photos with
// their sidecars, pairs and clips, built byte by byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/FaultyFileSystem.h"
#include "platform/FileOperations.h"
#include "tests/engine/TortureTrees.h"
#include "tests/support/IsoBuilder.h"
#include "tests/support/Photos.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"

namespace {

using test::Photo;
using test::PhotoInfo;
using test::Raw;

// The files below the folder, relative, with / between folders, sorted.
std::vector<std::string> Tree(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& [path, state] : test::Snapshot(folder)) {
    std::string name = path;
    std::replace(name.begin(), name.end(), '\\', '/');
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The lines without their "Stampel n: ": a folder's list comes in the system's order.
std::vector<std::string> Unnumbered(std::vector<std::string> lines) {
  for (std::string& line : lines) line.erase(0, line.find(": ") + 2);
  return lines;
}

// A clip made at this movie time.
std::string Clip(uint64_t created) {
  test::Mp4Spec clip;
  clip.created = created;
  return test::Mp4File(clip);
}

PhotoInfo Shot(const std::string& original, uint32_t width, uint32_t height,
               const std::string& salt) {
  return PhotoInfo("", original, "", width, height, salt);
}

class Companions : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& bytes) {
    test::WriteBytes(dir / name, bytes);
  }
  void Text(const std::string& name) { Write(name, "<x:xmpmeta>" + name + "</x:xmpmeta>"); }
  std::vector<std::string> Lines() const { return run.sink.Texts(); }

  test::TempDir dir;
  test::SettingsSandbox settings;
  test::TestRun run;
};

}  // namespace

// RAW+JPEG with both sidecar conventions: one name, one counter, the raw's size in all.
TEST_F(Companions, ACameraCardMovesAsGroupsNamedAfterTheirRaw) {
  Write("IMG_1.NEF", Raw(Shot("2023:05:01 10:00:00", 6000, 4000, "raw 1")));
  Write("IMG_1.JPG", Photo(Shot("2023:05:01 10:00:01", 1600, 1200, "jpeg 1")));
  Text("IMG_1.NEF.xmp");  // darktable
  Text("IMG_1.xmp");      // Lightroom
  Text("IMG_1.NEF.pp3");  // RawTherapee
  Text("IMG_1.JPG.json");
  Write("IMG_2.JPG", Photo(Shot("2023:05:01 11:00:00", 1600, 1200, "jpeg 2")));
  Text("IMG_2.JPG.dop");  // DxO
  run.options.Format = "yyyymmdd_'Size'_";
  run.options.DropOldName = true;
  run.options.UseCounter = true;
  const tRunResult& result = run.RunRename({dir / "IMG_1.*", dir / "IMG_2.*"});
  EXPECT_EQ(8, result.Transferred);
  EXPECT_EQ(0, result.Problems());
  EXPECT_EQ(
      (std::vector<std::string>{"20230501_1600x1200_002.JPG", "20230501_1600x1200_002.JPG.dop",
                                "20230501_6000x4000_001.JPG", "20230501_6000x4000_001.JPG.json",
                                "20230501_6000x4000_001.NEF", "20230501_6000x4000_001.NEF.pp3",
                                "20230501_6000x4000_001.NEF.xmp", "20230501_6000x4000_001.xmp"}),
      Tree(dir.Path()));
  // Each moved file has its own line; the leader's comes first.
  int transfers = 0;
  for (const auto& line : run.sink.lines) transfers += line.kind == tRunEventKind::Transferring;
  EXPECT_EQ(8, transfers);
}

TEST_F(Companions, WithCompanionsOffEveryFileIsOnItsOwn) {
  Write("IMG_1.NEF", Raw(Shot("2023:05:01 10:00:00", 6000, 4000, "raw")));
  Write("IMG_1.JPG", Photo(Shot("2023:05:01 10:00:00", 1600, 1200, "jpeg")));
  Text("IMG_1.xmp");
  run.options.Format = "yyyymmdd_";
  run.options.DropOldName = run.options.UseCounter = true;
  run.options.Companions = false;
  run.RunRename({dir / "*.NEF", dir / "*.JPG"});
  EXPECT_EQ((std::vector<std::string>{"20230501_001.NEF", "20230501_002.JPG", "IMG_1.xmp"}),
            Tree(dir.Path()));
}

// Two cameras, one name: the dates differ, so each file is its own group, and the
// Lightroom sidecar of that base belongs to both and stays. A sidecar of the whole name
// still goes with its file.
TEST_F(Companions, TwoCamerasWithOneNameStayApartAndTheirSharedSidecarStays) {
  Write("DSC_1.NEF", Raw(Shot("2023:05:01 10:00:00", 60, 40, "camera a")));
  Write("DSC_1.JPG", Photo(Shot("2023:06:01 12:00:00", 16, 12, "camera b")));
  Text("DSC_1.xmp");
  Text("DSC_1.JPG.xmp");
  run.options.Format = "yyyymmdd_";
  run.RunRename({dir / "*.*"});
  EXPECT_EQ((std::vector<std::string>{"20230501_DSC_1.NEF", "20230601_DSC_1.JPG",
                                      "20230601_DSC_1.JPG.xmp", "DSC_1.xmp"}),
            Tree(dir.Path()));
  const std::vector<std::string> lines = Unnumbered(Lines());
  EXPECT_EQ(1, std::count(lines.begin(), lines.end(),
                          (dir / "DSC_1.xmp") + " -> kept: belongs to more than one file"))
      << testing::PrintToString(lines);
}

// The pattern matches the JPEG only; the raw beside it has its own date and does not
// move, so the sidecar of their base stays with the raw.
TEST_F(Companions, ASidecarSharedWithAFileThePatternLeavesStays) {
  Write("IMG_1.CR2", Raw(Shot("2023:05:01 10:00:00", 60, 40, "raw")));
  Write("IMG_1.JPG", Photo(Shot("2023:05:01 10:00:00", 16, 12, "jpeg")));
  Text("IMG_1.xmp");
  Text("IMG_1.JPG.xmp");
  run.options.Format = "yyyymmdd_";
  run.RunRename({dir / "*.JPG"});
  EXPECT_EQ((std::vector<std::string>{"20230501_IMG_1.JPG", "20230501_IMG_1.JPG.xmp", "IMG_1.CR2",
                                      "IMG_1.xmp"}),
            Tree(dir.Path()));
  EXPECT_EQ(
      std::vector<std::string>(
          {"Stampel 1: " + (dir / "IMG_1.JPG") + " -> " + (dir / "20230501_IMG_1.JPG"),
           "Stampel 1: " + (dir / "IMG_1.JPG.xmp") + " -> " + (dir / "20230501_IMG_1.JPG.xmp"),
           "Stampel 1: " + (dir / "IMG_1.xmp") + " -> kept: belongs to more than one file"}),
      Lines());
}

// A Live Photo whose clip was renamed: the identifier both halves hold ties them, and the
// clip takes the still's stem with its own name part.
TEST_F(Companions, ALivePhotoClipUnderAnotherNameIsFoundByItsIdentifier) {
  PhotoInfo still = Shot("2023:07:01 09:00:00", 40, 30, "still");
  still.contentIdentifier = "6F1A2B3C-0000-4000-8000-00000000ABCD";
  Write("IMG_0007.JPG", Photo(still));
  Text("IMG_0007.AAE");
  test::Mp4Spec clip;
  clip.brand = "qt  ";
  clip.created = test::MovieSeconds(2023, 7, 1, 9, 0, 1);
  clip.appleContentIdentifier = still.contentIdentifier;
  Write("IMG_0007_HEVC.MOV", test::Mp4File(clip));
  clip.appleContentIdentifier = "another";
  Write("IMG_0008_HEVC.MOV", test::Mp4File(clip));
  run.options.Format = "yyyymmdd_";
  run.options.DropOldName = run.options.UseCounter = true;
  run.RunRename({dir / "*.*"});
  // The movie time is UTC, shown in local time: only the names matter here.
  const std::vector<std::string> tree = Tree(dir.Path());
  ASSERT_EQ(4u, tree.size()) << testing::PrintToString(tree);
  EXPECT_EQ("20230701_001.AAE", tree[0]);
  EXPECT_EQ("20230701_001.JPG", tree[1]);
  EXPECT_EQ("20230701_001.MOV", tree[2]);
  EXPECT_EQ(0u, tree[3].find("20230701_002.MOV")) << tree[3];
}

// The first variant of the names that is free for every file of the group.
TEST_F(Companions, TheFreeNameIsChosenForTheWholeGroup) {
  Write("IMG_1.NEF", Raw(Shot("2023:05:01 10:00:00", 60, 40, "raw")));
  Write("IMG_1.JPG", Photo(Shot("2023:05:01 10:00:00", 16, 12, "jpeg")));
  Text("IMG_1.xmp");
  Write("20230501_IMG_1.xmp", "someone else's");  // only one member's name is held
  run.options.Format = "yyyymmdd_";
  run.RunRename({dir / "IMG_1.*"});
  EXPECT_EQ((std::vector<std::string>{"20230501_IMG_1.JPG_1.JPG", "20230501_IMG_1.NEF_1.NEF",
                                      "20230501_IMG_1.NEF_1.xmp", "20230501_IMG_1.xmp"}),
            Tree(dir.Path()));
}

// /C copies the whole group; /T stamps the files that have their own date, not the
// sidecars; /Y replaces what the group's names held.
TEST_F(Companions, CopyStampAndOverwriteTreatTheGroupAsOne) {
  Write("IMG_1.NEF", Raw(Shot("2023:05:01 10:00:00", 60, 40, "raw")));
  Write("IMG_1.JPG", Photo(Shot("2023:05:01 10:00:00", 16, 12, "jpeg")));
  Text("IMG_1.NEF.xmp");
  Write("20230501_IMG_1.NEF.xmp", "old sidecar");
  platform::FileFacts sidecar;
  ASSERT_TRUE(platform::ReadFileFacts(dir / "IMG_1.NEF.xmp", sidecar));
  run.options.Format = "yyyymmdd_";
  run.options.CopyFiles = run.options.SetFileStamp = run.options.Overwrite = true;
  EXPECT_EQ(3, run.RunRename({dir / "IMG_1.*"}).Transferred);
  EXPECT_EQ((std::vector<std::string>{"20230501_IMG_1.JPG", "20230501_IMG_1.NEF",
                                      "20230501_IMG_1.NEF.xmp", "IMG_1.JPG", "IMG_1.NEF",
                                      "IMG_1.NEF.xmp"}),
            Tree(dir.Path()));
  EXPECT_EQ(test::ReadBytes(dir / "IMG_1.NEF.xmp"),
            test::ReadBytes(dir / "20230501_IMG_1.NEF.xmp"));
  platform::FileFacts raw, sidecarNow;
  ASSERT_TRUE(platform::ReadFileFacts(dir / "IMG_1.NEF", raw));
  ASSERT_TRUE(platform::ReadFileFacts(dir / "IMG_1.NEF.xmp", sidecarNow));
  EXPECT_EQ(platform::StampedTime(45047 + 10.0 / 24), raw.modified);  // 2023-05-01 10:00
  EXPECT_EQ(sidecar.modified, sidecarNow.modified);
}

// A member that cannot move after the leader has: the moved files go back, nothing is
// left split, the group gets its lines, and the undo finds nothing to take back.
TEST_F(Companions, AGroupThatCannotMoveWholeGoesBack) {
  for (bool copy : {false, true}) {
    SCOPED_TRACE(copy ? "copy" : "move");
    Write("IMG_1.NEF", Raw(Shot("2023:05:01 10:00:00", 60, 40, "raw")));
    Write("IMG_1.JPG", Photo(Shot("2023:05:01 10:00:00", 16, 12, "jpeg")));
    Text("IMG_1.xmp");
    const auto before = test::Snapshot(dir.Path());
    platform::FaultyFileSystem files;
    files.FailCall(
        copy ? platform::FaultyFileSystem::Call::Copy : platform::FaultyFileSystem::Call::Move, 2,
        platform::SystemCode(platform::KnownError::InputOutput));
    test::TestRun failing(files);
    failing.options.Format = "yyyymmdd_";
    failing.options.CopyFiles = copy;
    const tRunResult& result = failing.RunRename({dir / "*.*"});
    EXPECT_EQ(0, result.Transferred);
    EXPECT_EQ(before, test::Snapshot(dir.Path()));
    const std::vector<std::string> lines = Unnumbered(failing.sink.Texts());
    const std::string moved = dir / "20230501_IMG_1.NEF";
    EXPECT_EQ(std::vector<std::string>(
                  {(dir / "IMG_1.NEF") + " -> " + moved,
                   (dir / "IMG_1.JPG") + " -> " + (dir / "20230501_IMG_1.JPG"),
                   (dir / "IMG_1.JPG") + " -> couldn't rename this file",
                   copy ? moved + " -> copy removed: its group could not be copied whole"
                        : moved + " -> taken back to " + (dir / "IMG_1.NEF") +
                              ": its group could not move whole"}),
              lines);
    EXPECT_EQ(1, result.Problems());
    // The journal's steps cancel out: the undo changes nothing and refuses nothing.
    const tUndoResult undone = run.UndoRun(run.LastRunJournal());
    EXPECT_EQ(0, undone.Undone);
    EXPECT_EQ(0, undone.Refused);
    EXPECT_EQ(before, test::Snapshot(dir.Path()));
    for (const auto& [name, state] : before) platform::RemoveFile(dir / name);
  }
}

// What /L lists is what the run does, and the undo brings the folder back.
TEST_F(Companions, TheListIsTheRunAndTheUndoBringsTheGroupsBack) {
  Write("IMG_1.NEF", Raw(Shot("2023:05:01 10:00:00", 60, 40, "raw")));
  Write("IMG_1.JPG", Photo(Shot("2023:05:01 10:00:00", 16, 12, "jpeg")));
  Text("IMG_1.xmp");
  Text("IMG_1.NEF.xmp");
  Write("GX010373.MP4", Clip(test::MovieSeconds(2023, 5, 2, 8, 0, 0)));
  Write("GL010373.LRV", Clip(test::MovieSeconds(2023, 5, 2, 8, 0, 0)));
  Write("GX010373.THM", Photo(Shot("", 16, 12, "thumbnail")));
  const auto before = test::Snapshot(dir.Path());
  run.options.Format = test::QuotedFolder(dir / "sorted") + "\\yyyy\\mm\\yyyymmdd_";
  run.options.Recurse = true;
  run.PreviewRename({dir / "*.*"});
  const std::vector<std::string> listed = Lines();
  run.sink.lines.clear();
  run.counter = 0;
  EXPECT_EQ(7, run.RunRename({dir / "*.*"}).Transferred);
  EXPECT_EQ(listed, Lines());
  EXPECT_EQ((std::vector<std::string>{
                "sorted/2023/05/20230501_IMG_1.JPG", "sorted/2023/05/20230501_IMG_1.NEF",
                "sorted/2023/05/20230501_IMG_1.NEF.xmp", "sorted/2023/05/20230501_IMG_1.xmp",
                "sorted/2023/05/20230502_GX010373.LRV", "sorted/2023/05/20230502_GX010373.MP4",
                "sorted/2023/05/20230502_GX010373.THM"}),
            Tree(dir.Path()));
  const tUndoResult undone = run.UndoRun(run.LastRunJournal());
  EXPECT_EQ(0, undone.Refused);
  EXPECT_EQ(before, test::Snapshot(dir.Path()));
}
