#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/FileOperations.h"
#include "platform/FileStamp.h"
#include "platform/FileTimes.h"
#include "platform/Path.h"
#include "tests/support/TempDir.h"

using test::Exists;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

bool IsPosix() { return platform::PathSeparator() == '/'; }

// The code a failed transfer gives for an existing target.
int ExistsCode(bool copy) {
  if (IsPosix()) return EEXIST;
  return copy ? 80 : 183;
}

// Names in a folder, to prove no temporary file was left behind.
std::vector<std::string> AllNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(test::Utf8Path(folder)))
    names.push_back(test::PathText(entry.path().filename()));
  return Sorted(names);
}

}  // namespace

TEST(FileSystem, ListFilesTakesPlainFilesMatchingTheMask) {
  TempDir dir;
  WriteBytes(dir / "a.jpg", "a");
  WriteBytes(dir / "B.JPG", "b");
  WriteBytes(dir / "c.nef", "c");
  std::filesystem::create_directory(test::Utf8Path(dir / "folder.jpg"));
  EXPECT_EQ((std::vector<std::string>{"B.JPG", "a.jpg"}),
            Sorted(platform::ListFiles(dir / "*.jpg")));
  EXPECT_EQ((std::vector<std::string>{"B.JPG", "a.jpg", "c.nef"}),
            Sorted(platform::ListFiles(dir / "*.*")));
  EXPECT_EQ((std::vector<std::string>{"c.nef"}), platform::ListFiles(dir / "c.nef"));
  EXPECT_TRUE(platform::ListFiles(dir / "nothing*.tif").empty());
  EXPECT_TRUE(platform::ListFiles(dir / "missing" + platform::PathSeparator() + "*.jpg").empty());
}

TEST(FileSystem, BackslashesActAsSeparatorsInPatterns) {
  TempDir dir;
  std::filesystem::create_directory(test::Utf8Path(dir / "sub"));
  WriteBytes(dir / "sub" + platform::PathSeparator() + "x.jpg", "x");
  EXPECT_EQ((std::vector<std::string>{"x.jpg"}), platform::ListFiles(dir / "sub\\*.jpg"));
}

TEST(FileSystem, ListSubdirectoriesSkipsFilesAndDotEntries) {
  TempDir dir;
  std::filesystem::create_directory(test::Utf8Path(dir / "2004"));
  std::filesystem::create_directory(test::Utf8Path(dir / "2005"));
  WriteBytes(dir / "file.jpg", "x");
  EXPECT_EQ((std::vector<std::string>{"2004", "2005"}),
            Sorted(platform::ListSubdirectories(dir.Path())));
}

TEST(FileSystem, ExistenceTestsTellFilesFromFolders) {
  TempDir dir;
  WriteBytes(dir / "f.jpg", "x");
  EXPECT_TRUE(platform::FileExists(dir / "f.jpg"));
  EXPECT_FALSE(platform::DirectoryExists(dir / "f.jpg"));
  EXPECT_TRUE(platform::DirectoryExists(dir.Path()));
  EXPECT_FALSE(platform::FileExists(dir.Path()));
  EXPECT_FALSE(platform::FileExists(dir / "none.jpg"));
  EXPECT_FALSE(platform::DirectoryExists(dir / "none"));
  EXPECT_FALSE(platform::DirectoryExists(""));
}

TEST(FileSystem, ForceDirectoriesCreatesEveryMissingParent) {
  TempDir dir;
  const char sep = platform::PathSeparator();
  const std::string deep = dir / "2008" + sep + "06" + sep + "15" + sep;
  EXPECT_TRUE(platform::ForceDirectories(deep));
  EXPECT_TRUE(platform::DirectoryExists(deep));
  EXPECT_TRUE(platform::ForceDirectories(deep));  // again: nothing to do
  WriteBytes(dir / "file", "x");
  EXPECT_FALSE(platform::ForceDirectories(dir / "file" + sep + "sub"));
}

TEST(FileSystem, RemoveFileReportsWhatItCouldNotDelete) {
  TempDir dir;
  WriteBytes(dir / "f", "x");
  EXPECT_TRUE(platform::RemoveFile(dir / "f"));
  EXPECT_FALSE(Exists(dir / "f"));
  EXPECT_FALSE(platform::RemoveFile(dir / "f"));
  EXPECT_NE(0, platform::LastErrorCode());
}

TEST(FileSystem, CopyCarriesContentsAndLastWriteTime) {
  TempDir dir;
  WriteBytes(dir / "src.jpg", std::string("\xFF\xD8 binary \0 data", 16));
  platform::FileStamp stamp;
  ASSERT_TRUE(stamp.Open(dir / "src.jpg"));
  ASSERT_EQ(0, stamp.Stamp(platform::EncodeDateTime({2004, 5, 6, 7, 8, 9, 0})));
  stamp.Close();

  ASSERT_EQ(0, platform::CopyFileSafely(dir / "src.jpg", dir / "copy.jpg", false));
  EXPECT_EQ(ReadBytes(dir / "src.jpg"), ReadBytes(dir / "copy.jpg"));
  platform::FileTimes source, copy;
  ASSERT_TRUE(platform::GetFileTimes(dir / "src.jpg", source));
  ASSERT_TRUE(platform::GetFileTimes(dir / "copy.jpg", copy));
  EXPECT_EQ(source.lastWrite, copy.lastWrite);
  EXPECT_EQ((std::vector<std::string>{"copy.jpg", "src.jpg"}), AllNames(dir.Path()));
}

TEST(FileSystem, CopyCarriesTheReadOnlyState) {
  TempDir dir;
  WriteBytes(dir / "ro.jpg", "data");
  namespace fs = std::filesystem;
  fs::permissions(test::Utf8Path(dir / "ro.jpg"),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  ASSERT_EQ(0, platform::CopyFileSafely(dir / "ro.jpg", dir / "copy.jpg", false));
  const fs::perms perms = fs::status(test::Utf8Path(dir / "copy.jpg")).permissions();
  EXPECT_EQ(fs::perms::none, perms & fs::perms::owner_write);
  EXPECT_EQ("data", ReadBytes(dir / "copy.jpg"));
}

TEST(FileSystem, CopyNeverReplacesWithoutBeingAsked) {
  TempDir dir;
  WriteBytes(dir / "a", "new");
  WriteBytes(dir / "b", "old");
  EXPECT_EQ(ExistsCode(true), platform::CopyFileSafely(dir / "a", dir / "b", false));
  EXPECT_EQ("old", ReadBytes(dir / "b"));
  EXPECT_EQ(0, platform::CopyFileSafely(dir / "a", dir / "b", true));
  EXPECT_EQ("new", ReadBytes(dir / "b"));
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), AllNames(dir.Path()));
}

TEST(FileSystem, FailedCopyLeavesNoFileBehind) {
  TempDir dir;
  const char sep = platform::PathSeparator();
  EXPECT_NE(0, platform::CopyFileSafely(dir / "missing", dir / "target", false));
  EXPECT_NE(0, platform::CopyFileSafely(dir.Path(), dir / "target", false));  // a folder
  WriteBytes(dir / "a", "x");
  EXPECT_NE(0, platform::CopyFileSafely(
                   dir / "a", dir / "no" + sep + "such" + sep + "dir" + sep + "a", false));
  EXPECT_EQ((std::vector<std::string>{"a"}), AllNames(dir.Path()));
}

TEST(FileSystem, MoveRenamesAndNeverReplacesWithoutBeingAsked) {
  TempDir dir;
  WriteBytes(dir / "a", "first");
  WriteBytes(dir / "b", "second");
  EXPECT_EQ(ExistsCode(false), platform::MoveFileSafely(dir / "a", dir / "b", false));
  EXPECT_EQ("first", ReadBytes(dir / "a"));
  EXPECT_EQ("second", ReadBytes(dir / "b"));
  EXPECT_EQ(0, platform::MoveFileSafely(dir / "a", dir / "c", false));
  EXPECT_FALSE(Exists(dir / "a"));
  EXPECT_EQ("first", ReadBytes(dir / "c"));
  EXPECT_EQ(0, platform::MoveFileSafely(dir / "c", dir / "b", true));
  EXPECT_EQ("first", ReadBytes(dir / "b"));
  EXPECT_EQ((std::vector<std::string>{"b"}), AllNames(dir.Path()));
}

TEST(FileSystem, MoveIntoAMissingFolderFailsAndKeepsTheSource) {
  TempDir dir;
  WriteBytes(dir / "a", "x");
  const char sep = platform::PathSeparator();
  EXPECT_NE(0, platform::MoveFileSafely(dir / "a", dir / "none" + sep + "a", false));
  EXPECT_EQ("x", ReadBytes(dir / "a"));
}

TEST(FileSystem, HandlesNamesBeyondAscii) {
  TempDir dir;
  const std::string name =
      "caf\xC3\xA9_Stra\xC3\x9F"
      "e_\xE6\x97\xA5\xE6\x9C\xAC_\xF0\x9F\x93\xB7.jpg";
  WriteBytes(dir / name, "photo");
  EXPECT_EQ((std::vector<std::string>{name}), platform::ListFiles(dir / "*.jpg"));
  EXPECT_TRUE(platform::FileExists(dir / name));
  const std::string moved = "\xE6\x97\xA5\xE6\x9C\xAC.jpg";
  ASSERT_EQ(0, platform::MoveFileSafely(dir / name, dir / moved, false));
  ASSERT_EQ(0, platform::CopyFileSafely(dir / moved, dir / name, false));
  EXPECT_EQ("photo", ReadBytes(dir / name));
  EXPECT_EQ("photo", ReadBytes(dir / moved));
  const std::string folder = dir / "\xC3\xA9t\xC3\xA9";
  EXPECT_TRUE(platform::ForceDirectories(folder));
  EXPECT_EQ((std::vector<std::string>{"\xC3\xA9t\xC3\xA9"}),
            platform::ListSubdirectories(dir.Path()));
}

TEST(FileSystem, SystemErrorMessageIsPlainText) {
  const std::string text = platform::SystemErrorMessage(2);  // "file not found" on both systems
  ASSERT_FALSE(text.empty());
  EXPECT_NE('.', text.back());
  EXPECT_NE('\n', text.back());
}
