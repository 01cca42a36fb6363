#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "platform/FileOperations.h"
#include "platform/InputFile.h"
#include "tests/support/TempDir.h"

using test::TempDir;

TEST(InputFile, ReadsAtAnyPositionAndStopsAtTheEnd) {
  TempDir dir;
  test::WriteBytes(dir / "f", "0123456789");
  platform::InputFile file(dir / "f");
  EXPECT_EQ(10, file.Facts().size);
  char buffer[8] = {};
  EXPECT_EQ(4u, file.ReadAt(0, buffer, 4));
  EXPECT_EQ("0123", std::string(buffer, 4));
  EXPECT_EQ(2u, file.ReadAt(8, buffer, 8));
  EXPECT_EQ("89", std::string(buffer, 2));
  EXPECT_EQ(0u, file.ReadAt(1000, buffer, 8));
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
  EXPECT_EQ(0, platform::MoveFileSafely(dir / "f", dir / "g", false));
  char buffer[4];
  EXPECT_EQ(4u, file.ReadAt(0, buffer, 4));
  EXPECT_EQ("xyz!", std::string(buffer, 4));
}
