#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/FileOperations.h"
#include "platform/FileTimes.h"
#include "tests/support/TempDir.h"

using test::TempDir;
using test::WriteBytes;
namespace fs = std::filesystem;

TEST(FileSystemPosix, DotNamesAreHidden) {
  TempDir dir;
  WriteBytes(dir / ".secret.jpg", "x");
  WriteBytes(dir / "shown.jpg", "y");
  fs::create_directory(dir / ".cache");
  fs::create_directory(dir / "visible");
  EXPECT_EQ((std::vector<std::string>{"shown.jpg"}), platform::ListFiles(dir / "*.jpg"));
  EXPECT_EQ((std::vector<std::string>{"visible"}), platform::ListSubdirectories(dir.Path()));
}

TEST(FileSystemPosix, LinksToFoldersAreNotWalkedButLinksToFilesAreFiles) {
  TempDir dir;
  WriteBytes(dir / "real.jpg", "x");
  fs::create_directory_symlink(dir.Path(), dir / "loop");
  fs::create_symlink(dir / "real.jpg", dir / "link.jpg");
  EXPECT_TRUE(platform::ListSubdirectories(dir.Path()).empty());
  std::vector<std::string> files = platform::ListFiles(dir / "*.jpg");
  std::sort(files.begin(), files.end());
  EXPECT_EQ((std::vector<std::string>{"link.jpg", "real.jpg"}), files);
}

TEST(FileSystemPosix, CopyCarriesPermissionBits) {
  TempDir dir;
  WriteBytes(dir / "a", "x");
  ASSERT_EQ(0, chmod((dir / "a").c_str(), 0640));
  ASSERT_EQ(0, platform::CopyFileSafely(dir / "a", dir / "b", false));
  struct stat info;
  ASSERT_EQ(0, stat((dir / "b").c_str(), &info));
  EXPECT_EQ(0640u, info.st_mode & 07777);
}

TEST(FileSystemPosix, MoveNeverReplacesADanglingLink) {
  TempDir dir;
  WriteBytes(dir / "a", "x");
  fs::create_symlink(dir / "nowhere", dir / "b");
  EXPECT_TRUE(platform::FileExists(dir / "b"));
  EXPECT_EQ(EEXIST, platform::MoveFileSafely(dir / "a", dir / "b", false));
  EXPECT_TRUE(fs::is_symlink(dir / "b"));
  EXPECT_EQ("x", test::ReadBytes(dir / "a"));
}

TEST(FileSystemPosix, OnlyTemporariesThatNoProcessHoldsAreRemoved) {
  TempDir dir;
  WriteBytes(dir / ".stampel-tmp-00000000000000aa", "stale");
  WriteBytes(dir / ".stampel-tmp-00000000000000bb", "a copy under way");
  WriteBytes(dir / ".stampel-Zz09aB", "stale, from an older version");
  WriteBytes(dir / ".stampel-Zz09aBc", "not a name of ours");
  WriteBytes(dir / "stampel-tmp-x", "not hidden: not ours");
  const int held = open((dir / ".stampel-tmp-00000000000000bb").c_str(), O_RDONLY);
  ASSERT_EQ(0, flock(held, LOCK_EX));
  platform::RemoveStaleTemporaries(dir.Path());
  EXPECT_FALSE(test::Exists(dir / ".stampel-tmp-00000000000000aa"));
  EXPECT_TRUE(test::Exists(dir / ".stampel-tmp-00000000000000bb"));
  EXPECT_FALSE(test::Exists(dir / ".stampel-Zz09aB"));
  EXPECT_TRUE(test::Exists(dir / ".stampel-Zz09aBc"));
  EXPECT_TRUE(test::Exists(dir / "stampel-tmp-x"));
  close(held);
  platform::RemoveStaleTemporaries(dir.Path());
  EXPECT_FALSE(test::Exists(dir / ".stampel-tmp-00000000000000bb"));
}

TEST(FileSystemPosix, CopiesAndMovesBetweenFileSystemsKeepTimesAndLeaveNoName) {
  TempDir dir;
  char shm[] = "/dev/shm/stampel-fs-XXXXXX";
  struct stat a, b;
  if (stat("/dev/shm", &b) != 0 || stat(dir.Path().c_str(), &a) != 0 || a.st_dev == b.st_dev ||
      !mkdtemp(shm))
    GTEST_SKIP() << "no /dev/shm of its own here; the crash test mounts one";
  const std::string other = std::string(shm) + "/";
  WriteBytes(dir / "a", std::string(1 << 20, 'x'));
  ASSERT_TRUE(platform::SetExactFileTimes(dir / "a", 1083827289123456789, platform::kNoTime));
  WriteBytes(other + "taken", "old");
  ASSERT_EQ(0, platform::CopyFileSafely(dir / "a", other + "copy", false));
  EXPECT_EQ(EEXIST, platform::CopyFileSafely(dir / "a", other + "taken", false));
  ASSERT_EQ(0, platform::CopyFileSafely(dir / "a", other + "taken", true));
  ASSERT_EQ(0, platform::MoveFileSafely(dir / "a", other + "moved", false));
  EXPECT_FALSE(test::Exists(dir / "a"));
  for (const char* name : {"copy", "taken", "moved"}) {
    EXPECT_EQ(std::string(1 << 20, 'x'), test::ReadBytes(other + name)) << name;
    platform::FileFacts facts;
    ASSERT_TRUE(platform::ReadFileFacts(other + name, facts)) << name;
    EXPECT_EQ(1083827289123456789, facts.modified) << name;
  }
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(other))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"copy", "moved", "taken"}), names)
      << "no temporary name is left";
  fs::remove_all(other);
}
