#include <gtest/gtest.h>

#include <algorithm>

#include "engine/pass/RenameDirectory.h"
#include "platform/Errors.h"
#include "platform/FileOperations.h"
#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "tests/support/Photos.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"

using platform::win32::Widen;

namespace {

class RenameWin : public ::testing::Test {
 protected:
  void Add(const std::string& name) {
    test::WriteBytes(dir / name, test::Photo({"2004:05:06 07:08:09"}));
  }

  test::TempDir dir;
  test::SettingsSandbox settings;
  test::TestRun run;
  test::RecordingSink& sink = run.sink;
  tRunOptions& options = run.options;
};

}  // namespace

TEST_F(RenameWin, ALockedFileEndsThePassNamingIt) {
  Add("locked.jpg");
  HANDLE lock = CreateFileW(Widen(dir / "locked.jpg").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, lock);
  try {
    run.Rename(dir / "*.jpg");
    ADD_FAILURE() << "the pass went on";
  } catch (const EFOpenError& error) {
    EXPECT_NE(std::string::npos, std::string(error.what()).find(dir / "locked.jpg"))
        << error.what();
  }
  CloseHandle(lock);
  EXPECT_EQ((std::vector<std::string>{"locked.jpg"}), platform::ListFiles(dir / "*.jpg"));
}

TEST_F(RenameWin, HiddenAndSystemFilesAndFoldersAreLeftAlone) {
  Add("hidden.jpg");
  Add("system.jpg");
  ASSERT_TRUE(platform::ForceDirectories(dir / "secret"));
  Add("secret\\inner.jpg");
  SetFileAttributesW(Widen(dir / "hidden.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(Widen(dir / "system.jpg").c_str(), FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesW(Widen(dir / "secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
  options.Recurse = true;
  EXPECT_EQ(0, run.Rename(dir / "*.jpg"));
  EXPECT_TRUE(sink.lines.empty());
  EXPECT_EQ((std::vector<std::string>{"inner.jpg"}), platform::ListFiles(dir / "secret\\*.jpg"));
}

TEST_F(RenameWin, AStemWithADriveNamesAnAbsoluteTarget) {
  Add("IMG.JPG");
  const std::string folder = dir.Path();  // a drive, a colon, then the folder
  options.Format = "'" + folder + "'yyyy_";
  EXPECT_EQ(1, run.Rename(dir / "IMG.JPG"));
  EXPECT_EQ((std::vector<std::string>{"2004_IMG.JPG"}), platform::ListFiles(dir / "*.JPG"));
}
