#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FileOperations.h"
#include "platform/FileStamp.h"
#include "platform/FileTimes.h"
#include "tests/support/TempDir.h"

using test::TempDir;

TEST(FileTimes, WrittenLocalTimeReadsBackToTheMillisecond) {
  TempDir dir;
  test::WriteBytes(dir / "f.jpg", "x");
  const TDateTime when = platform::EncodeDateTime({2004, 5, 6, 7, 8, 9, 123});
  platform::FileStamp stamp;
  ASSERT_TRUE(stamp.Open(dir / "f.jpg"));
  ASSERT_EQ(0, stamp.Stamp(when));
  platform::FileTimes times;
  ASSERT_TRUE(stamp.Times(times));
  EXPECT_EQ(when, times.lastWrite);
  EXPECT_EQ(when, times.creation);
  stamp.Close();
  ASSERT_TRUE(platform::GetFileTimes(dir / "f.jpg", times));
  EXPECT_EQ(when, times.lastWrite);
}

TEST(FileTimes, ReadOnlyAndMissingFilesCannotBeOpenedForStamping) {
  TempDir dir;
  test::WriteBytes(dir / "ro.jpg", "x");
  namespace fs = std::filesystem;
  fs::permissions(test::Utf8Path(dir / "ro.jpg"),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  platform::FileStamp stamp;
  EXPECT_FALSE(stamp.Open(dir / "ro.jpg"));
  EXPECT_FALSE(stamp.Open(dir / "missing.jpg"));
  platform::FileTimes times;
  EXPECT_FALSE(stamp.Times(times));
  EXPECT_FALSE(platform::GetFileTimes(dir / "missing.jpg", times));
}
