#include "engine/Disk.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/Errors.h"
#include "platform/FileTimes.h"
#include "platform/Path.h"
#include "tests/support/TempDir.h"

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

namespace {

bool IsPosix() { return platform::PathSeparator() == '/'; }

// The message of the EInOutError that the call raises, or "" when it raises none.
template <typename Call>
std::string FailureOf(Call call) {
  try {
    call();
  } catch (const EInOutError& error) {
    return error.what();
  }
  return "";
}

}  // namespace

TEST(Disk, CopyOntoAnExistingFileFailsAndChangesNothing) {
  TempDir dir;
  WriteBytes(dir / "a.jpg", "source");
  WriteBytes(dir / "b.jpg", "target");
  const std::string message = FailureOf([&] { CopyFileExt(dir / "a.jpg", dir / "b.jpg", false); });
  EXPECT_EQ("CopyFileExt() - I/O Error " + std::to_string(IsPosix() ? EEXIST : 80), message);
  EXPECT_EQ("source", ReadBytes(dir / "a.jpg"));
  EXPECT_EQ("target", ReadBytes(dir / "b.jpg"));
  CopyFileExt(dir / "a.jpg", dir / "b.jpg", true);
  EXPECT_EQ("source", ReadBytes(dir / "b.jpg"));
}

TEST(Disk, MoveOntoAnExistingFileFailsUnlessReplacing) {
  TempDir dir;
  WriteBytes(dir / "a.jpg", "source");
  WriteBytes(dir / "b.jpg", "target");
  const std::string message = FailureOf([&] { MoveFileExt(dir / "a.jpg", dir / "b.jpg", false); });
  EXPECT_EQ("MoveFileExt() - I/O Error " + std::to_string(IsPosix() ? EEXIST : 183), message);
  EXPECT_EQ("source", ReadBytes(dir / "a.jpg"));
  MoveFileExt(dir / "a.jpg", dir / "b.jpg", true);
  EXPECT_EQ("source", ReadBytes(dir / "b.jpg"));
  EXPECT_FALSE(test::Exists(dir / "a.jpg"));
}

TEST(Disk, FailedMoveWithReplaceKeepsTheOldTarget) {
  TempDir dir;
  WriteBytes(dir / "b.jpg", "target");
  EXPECT_NE("", FailureOf([&] { MoveFileExt(dir / "missing.jpg", dir / "b.jpg", true); }));
  EXPECT_EQ("target", ReadBytes(dir / "b.jpg"));
}

TEST(Disk, MoveIntoAMissingFolderFails) {
  TempDir dir;
  WriteBytes(dir / "a.jpg", "x");
  const std::string target = dir / "none" + platform::PathSeparator() + "a.jpg";
  const std::string message = FailureOf([&] { MoveFileExt(dir / "a.jpg", target, false); });
  EXPECT_EQ(0u, message.find("MoveFileExt() - I/O Error ")) << message;
  EXPECT_EQ("x", ReadBytes(dir / "a.jpg"));
}

TEST(Disk, CopyKeepsTheSourcesLastWriteTime) {
  TempDir dir;
  WriteBytes(dir / "a.jpg", "x");
  const TDateTime stamp = platform::EncodeDateTime({2004, 5, 6, 7, 8, 9, 0});
  platform::FileStamp file;
  ASSERT_TRUE(file.Open(dir / "a.jpg"));
  ASSERT_TRUE(file.Write(stamp));
  file.Close();
  CopyFileExt(dir / "a.jpg", dir / "b.jpg", false);
  platform::FileTimes times;
  ASSERT_TRUE(platform::GetFileTimes(dir / "b.jpg", times));
  EXPECT_EQ(stamp, times.lastWrite);
}

TEST(Disk, MakeValidFileNameReplacesWhatNamesCannotHold) {
  EXPECT_EQ("Nikon_Main", MakeValidFileName("Nikon/Main"));
  EXPECT_EQ("a_b_c_d_e_f_g_h_i", MakeValidFileName("a*b/c:d<e>f?g\\h|i"));
  EXPECT_EQ("tab_nl_", MakeValidFileName("tab\tnl\n"));
  EXPECT_EQ("\"quoted\", kept", MakeValidFileName("\"quoted\", kept"));
  EXPECT_EQ("caf\xC3\xA9", MakeValidFileName("caf\xC3\xA9"));  // bytes above 127 stay
}

TEST(Disk, ExtractFileBaseTakesTheNameUpToItsFirstDot) {
  EXPECT_EQ("IMG_0001", ExtractFileBase("IMG_0001.JPG"));
  EXPECT_EQ("my", ExtractFileBase("my.trip.jpg"));
  EXPECT_EQ("", ExtractFileBase(".hidden"));
  EXPECT_EQ("README", ExtractFileBase("README"));
  EXPECT_EQ("IMG", ExtractFileBase("some.dir\\IMG.JPG"));
}
