#include "platform/InputFile.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "tests/support/TempDir.h"

using test::TempDir;

TEST(InputFile, ReadsSeeksAndStopsAtTheEnd) {
  TempDir dir;
  test::WriteBytes(dir / "f", "0123456789");
  platform::InputFile file(dir / "f");
  EXPECT_EQ(10, file.Size());
  char buffer[8] = {};
  EXPECT_EQ(4u, file.Read(buffer, 4));
  EXPECT_EQ("0123", std::string(buffer, 4));
  EXPECT_EQ(4, file.Position());
  file.Seek(8);
  EXPECT_EQ(2u, file.Read(buffer, 8));
  EXPECT_EQ(10, file.Position());
  file.Seek(1000);
  EXPECT_EQ(0u, file.Read(buffer, 8));
  EXPECT_EQ(1000, file.Position());
}

TEST(InputFile, OpenFailureNamesTheFullPathAndTheReason) {
  TempDir dir;
  try {
    platform::InputFile file(dir / "missing.jpg");
    FAIL() << "no exception";
  } catch (const EFOpenError& error) {
    const std::string message = error.what();
    EXPECT_NE(std::string::npos, message.find(dir / "missing.jpg")) << message;
    EXPECT_NE(std::string::npos, message.find(platform::SystemErrorMessage(2))) << message;
  }
  EXPECT_THROW(platform::InputFile folder(dir.Path()), EFOpenError);
}

TEST(InputFile, OthersMayRenameAndWriteTheOpenFile) {
  TempDir dir;
  test::WriteBytes(dir / "f", "abc");
  platform::InputFile file(dir / "f");
  test::WriteBytes(dir / "f", "xyz!");  // rewrite while open
  EXPECT_EQ(4, file.Size());
  EXPECT_EQ(0, platform::MoveFileSafely(dir / "f", dir / "g", false));
  char buffer[4];
  EXPECT_EQ(4u, file.Read(buffer, 4));
  EXPECT_EQ("xyz!", std::string(buffer, 4));
}
