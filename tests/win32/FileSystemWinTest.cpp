#include <gtest/gtest.h>

#include <algorithm>

#include "engine/pass/Transfer.h"
#include "platform/Errors.h"
#include "platform/FileOperations.h"
#include "platform/FileStamp.h"
#include "platform/FileSystem.h"
#include "platform/FileTimes.h"
#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "tests/support/TempDir.h"

using platform::win32::Widen;
using test::TempDir;
using test::WriteBytes;

namespace {

void SetAttribute(const std::string& path, DWORD attribute) {
  const std::wstring wide = Widen(path);
  ASSERT_TRUE(SetFileAttributesW(wide.c_str(), GetFileAttributesW(wide.c_str()) | attribute));
}

}  // namespace

TEST(FileSystemWin, HiddenAndSystemEntriesAreLeftOut) {
  TempDir dir;
  WriteBytes(dir / "shown.jpg", "a");
  WriteBytes(dir / "hidden.jpg", "b");
  WriteBytes(dir / "system.jpg", "c");
  WriteBytes(dir / "readonly.jpg", "d");
  SetAttribute(dir / "hidden.jpg", FILE_ATTRIBUTE_HIDDEN);
  SetAttribute(dir / "system.jpg", FILE_ATTRIBUTE_SYSTEM);
  SetAttribute(dir / "readonly.jpg", FILE_ATTRIBUTE_READONLY);
  std::vector<std::string> files = platform::ListFiles(dir / "*.jpg");
  std::sort(files.begin(), files.end());
  EXPECT_EQ((std::vector<std::string>{"readonly.jpg", "shown.jpg"}), files);

  ASSERT_TRUE(platform::ForceDirectories(dir / "visible"));
  ASSERT_TRUE(platform::ForceDirectories(dir / "hiddendir"));
  ASSERT_TRUE(platform::ForceDirectories(dir / "systemdir"));
  SetAttribute(dir / "hiddendir", FILE_ATTRIBUTE_HIDDEN);
  SetAttribute(dir / "systemdir", FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ((std::vector<std::string>{"visible"}), platform::ListSubdirectories(dir.Path()));
}

TEST(FileSystemWin, TransferErrorsCarryTheWin32Codes) {
  TempDir dir;
  WriteBytes(dir / "a.jpg", "a");
  WriteBytes(dir / "b.jpg", "b");
  try {
    CopyFileExt(platform::RealFileSystem(), dir / "a.jpg", dir / "b.jpg", false);
    FAIL() << "copy onto an existing file succeeded";
  } catch (const EInOutError& error) {
    EXPECT_STREQ("CopyFileExt() - I/O Error 80", error.what());
  }
  try {
    MoveFileExt(platform::RealFileSystem(), dir / "a.jpg", dir / "b.jpg", false);
    FAIL() << "move onto an existing file succeeded";
  } catch (const EInOutError& error) {
    EXPECT_STREQ("MoveFileExt() - I/O Error 183", error.what());
  }
  try {
    MoveFileExt(platform::RealFileSystem(), dir / "missing.jpg", dir / "c.jpg", false);
    FAIL() << "move of a missing file succeeded";
  } catch (const EInOutError& error) {
    EXPECT_STREQ("MoveFileExt() - I/O Error 2", error.what());
  }
}

TEST(FileSystemWin, CopyOfAReadOnlyFileIsReadOnlyAndLeavesNoTemporaryFile) {
  TempDir dir;
  WriteBytes(dir / "ro.jpg", "data");
  SetAttribute(dir / "ro.jpg", FILE_ATTRIBUTE_READONLY);
  ASSERT_EQ(0, platform::CopyFileSafely(dir / "ro.jpg", dir / "copy.jpg", false));
  EXPECT_TRUE(GetFileAttributesW(Widen(dir / "copy.jpg").c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(2u, platform::ListFiles(dir / "*").size());
}

TEST(FileSystemWin, StampSetsCreationAndLastWriteButNotLastAccess) {
  TempDir dir;
  WriteBytes(dir / "f.jpg", "x");
  HANDLE file = CreateFileW(Widen(dir / "f.jpg").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  FILETIME access{0x12345600, 0x01C00000};
  ASSERT_TRUE(SetFileTime(file, nullptr, &access, nullptr));
  CloseHandle(file);

  const TDateTime when = platform::EncodeDateTime({2004, 5, 6, 7, 8, 9, 250});
  platform::FileStamp stamp;
  ASSERT_TRUE(stamp.Open(dir / "f.jpg"));
  ASSERT_EQ(0, stamp.Stamp(when));
  stamp.Close();

  platform::FileTimes times;
  ASSERT_TRUE(platform::GetFileTimes(dir / "f.jpg", times));
  EXPECT_EQ(when, times.creation);
  EXPECT_EQ(when, times.lastWrite);
  file = CreateFileW(Widen(dir / "f.jpg").c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                     OPEN_EXISTING, 0, nullptr);
  FILETIME creation, accessAfter, write;
  ASSERT_TRUE(GetFileTime(file, &creation, &accessAfter, &write));
  CloseHandle(file);
  EXPECT_EQ(access.dwLowDateTime, accessAfter.dwLowDateTime);
  EXPECT_EQ(access.dwHighDateTime, accessAfter.dwHighDateTime);
}

TEST(FileSystemWin, ReadOnlyFilesAreNotStamped) {
  TempDir dir;
  WriteBytes(dir / "ro.jpg", "x");
  SetAttribute(dir / "ro.jpg", FILE_ATTRIBUTE_READONLY);
  platform::FileStamp stamp;
  EXPECT_FALSE(stamp.Open(dir / "ro.jpg"));
}

TEST(FileSystemWin, OnlyTemporariesThatNoHandleHoldsAreRemoved) {
  TempDir dir;
  WriteBytes(dir / ".stampel-tmp-00000000000000aa", "stale");
  WriteBytes(dir / ".stampel-tmp-00000000000000bb", "a copy under way");
  WriteBytes(dir / "stm1A2B.tmp", "a name older versions used, but maybe the user's");
  HANDLE held = CreateFileW(Widen(dir / ".stampel-tmp-00000000000000bb").c_str(), GENERIC_WRITE,
                            FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  platform::RemoveStaleTemporaries(dir.Path());
  EXPECT_FALSE(test::Exists(dir / ".stampel-tmp-00000000000000aa"));
  EXPECT_TRUE(test::Exists(dir / ".stampel-tmp-00000000000000bb"));
  EXPECT_TRUE(test::Exists(dir / "stm1A2B.tmp"));
  CloseHandle(held);
  platform::RemoveStaleTemporaries(dir.Path());
  EXPECT_FALSE(test::Exists(dir / ".stampel-tmp-00000000000000bb"));
}

TEST(FileSystemWin, AMoveToAnotherVolumeKeepsBothTimesAndLeavesNoTemporaryFile) {
  // Under Wine, Z:\dev\shm is another file system than the temporary folder's.
  const DWORD shm = GetFileAttributesW(L"Z:\\dev\\shm");
  if (shm == INVALID_FILE_ATTRIBUTES || !(shm & FILE_ATTRIBUTE_DIRECTORY))
    GTEST_SKIP() << "no second volume here";
  TempDir dir;
  const std::string other =
      "Z:\\dev\\shm\\stampel-win-" + std::to_string(GetCurrentProcessId()) + "\\";
  ASSERT_TRUE(platform::ForceDirectories(other));
  WriteBytes(dir / "a.jpg", std::string(1 << 20, 'x'));
  ASSERT_TRUE(platform::SetExactFileTimes(dir / "a.jpg", 1083827289123456700, 1083827280000000000));
  platform::FileFacts before;
  ASSERT_TRUE(platform::ReadFileFacts(dir / "a.jpg", before));
  ASSERT_EQ(0, platform::MoveFileSafely(dir / "a.jpg", other + "b.jpg", false));
  EXPECT_FALSE(test::Exists(dir / "a.jpg"));
  platform::FileFacts after;
  ASSERT_TRUE(platform::ReadFileFacts(other + "b.jpg", after));
  EXPECT_EQ(before.size, after.size);
  EXPECT_EQ(before.modified, after.modified);
  WriteBytes(dir / "c.jpg", "c");
  EXPECT_EQ(183, platform::MoveFileSafely(dir / "c.jpg", other + "b.jpg", false));
  EXPECT_TRUE(test::Exists(dir / "c.jpg"));
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(Widen(other + ".stampel-tmp-*").c_str(), &data);
  EXPECT_EQ(INVALID_HANDLE_VALUE, find) << "a temporary file is left";
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  platform::RemoveFile(other + "b.jpg");
  RemoveDirectoryW(Widen(other).c_str());
}
