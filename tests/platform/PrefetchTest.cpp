#include <gtest/gtest.h>

#include "platform/FileOperations.h"
#include "platform/Prefetch.h"
#include "tests/support/TempDir.h"

using test::TempDir;

TEST(Prefetch, ReadsAtAnyPositionAndLessAtTheEnd) {
  TempDir dir;
  test::WriteBytes(dir / "f", "0123456789");
  platform::PrefetchFile file(dir / "f");
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(10, file.Size());
  char buffer[8];
  bool cached = true;
  ASSERT_EQ(4u, file.ReadAt(2, buffer, 4, cached));
  EXPECT_EQ("2345", std::string(buffer, 4));
  ASSERT_EQ(2u, file.ReadAt(8, buffer, 8, cached));
  EXPECT_EQ("89", std::string(buffer, 2));
  EXPECT_EQ(0u, file.ReadAt(100, buffer, 8, cached));
}

TEST(Prefetch, OpensNeitherMissingFilesNorFolders) {
  TempDir dir;
  ASSERT_TRUE(platform::ForceDirectories(dir / "folder"));
  for (const char* name : {"missing", "folder"}) {
    platform::PrefetchFile file(dir / name);
    EXPECT_FALSE(file.IsOpen()) << name;
    EXPECT_EQ(0, file.Size()) << name;
    char byte;
    bool cached = true;
    EXPECT_EQ(0u, file.ReadAt(0, &byte, 1, cached)) << name;
  }
}

TEST(Prefetch, OthersMayWriteTheFileWhileItIsOpen) {
  TempDir dir;
  test::WriteBytes(dir / "f", "abc");
  platform::PrefetchFile file(dir / "f");
  ASSERT_TRUE(file.IsOpen());
  test::WriteBytes(dir / "f", "xyz!");
  char buffer[4];
  bool cached = true;
  ASSERT_EQ(4u, file.ReadAt(0, buffer, 4, cached));
  EXPECT_EQ("xyz!", std::string(buffer, 4));
}
