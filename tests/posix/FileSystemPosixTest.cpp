#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "platform/FileSystem.h"
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
