#include <gtest/gtest.h>

#include <cerrno>

#include "engine/format/Keywords.h"
#include "engine/pass/TargetName.h"
#include "engine/pass/Transfer.h"
#include "platform/Errors.h"
#include "platform/FileOperations.h"
#include "platform/FileStamp.h"
#include "platform/FileSystem.h"
#include "platform/FileTimes.h"
#include "platform/Path.h"
#include "tests/support/TempDir.h"

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

namespace {

bool IsPosix() { return platform::PathSeparator() == '/'; }

platform::FileSystem& Files() { return platform::RealFileSystem(); }

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

TEST(Transfer, CopyOntoAnExistingFileFailsAndChangesNothing) {
  TempDir dir;
  WriteBytes(dir / "a.jpg", "source");
  WriteBytes(dir / "b.jpg", "target");
  const std::string message =
      FailureOf([&] { CopyFileExt(Files(), dir / "a.jpg", dir / "b.jpg", false); });
  EXPECT_EQ("CopyFileExt() - I/O Error " + std::to_string(IsPosix() ? EEXIST : 80), message);
  EXPECT_EQ("source", ReadBytes(dir / "a.jpg"));
  EXPECT_EQ("target", ReadBytes(dir / "b.jpg"));
  CopyFileExt(Files(), dir / "a.jpg", dir / "b.jpg", true);
  EXPECT_EQ("source", ReadBytes(dir / "b.jpg"));
}

TEST(Transfer, MoveOntoAnExistingFileFailsUnlessReplacing) {
  TempDir dir;
  WriteBytes(dir / "a.jpg", "source");
  WriteBytes(dir / "b.jpg", "target");
  const std::string message =
      FailureOf([&] { MoveFileExt(Files(), dir / "a.jpg", dir / "b.jpg", false); });
  EXPECT_EQ("MoveFileExt() - I/O Error " + std::to_string(IsPosix() ? EEXIST : 183), message);
  EXPECT_EQ("source", ReadBytes(dir / "a.jpg"));
  MoveFileExt(Files(), dir / "a.jpg", dir / "b.jpg", true);
  EXPECT_EQ("source", ReadBytes(dir / "b.jpg"));
  EXPECT_FALSE(test::Exists(dir / "a.jpg"));
}

TEST(Transfer, FailedMoveWithReplaceKeepsTheOldTarget) {
  TempDir dir;
  WriteBytes(dir / "b.jpg", "target");
  EXPECT_NE("", FailureOf([&] { MoveFileExt(Files(), dir / "missing.jpg", dir / "b.jpg", true); }));
  EXPECT_EQ("target", ReadBytes(dir / "b.jpg"));
}

TEST(Transfer, MoveIntoAMissingFolderFails) {
  TempDir dir;
  WriteBytes(dir / "a.jpg", "x");
  const std::string target = dir / "none" + platform::PathSeparator() + "a.jpg";
  const std::string message =
      FailureOf([&] { MoveFileExt(Files(), dir / "a.jpg", target, false); });
  EXPECT_EQ(0u, message.find("MoveFileExt() - I/O Error ")) << message;
  EXPECT_EQ("x", ReadBytes(dir / "a.jpg"));
}

TEST(Transfer, CopyKeepsTheSourcesLastWriteTime) {
  TempDir dir;
  WriteBytes(dir / "a.jpg", "x");
  const TDateTime stamp = platform::EncodeDateTime({2004, 5, 6, 7, 8, 9, 0});
  platform::FileStamp file;
  ASSERT_TRUE(file.Open(dir / "a.jpg"));
  ASSERT_EQ(0, file.Stamp(stamp));
  file.Close();
  CopyFileExt(Files(), dir / "a.jpg", dir / "b.jpg", false);
  platform::FileTimes times;
  ASSERT_TRUE(platform::GetFileTimes(dir / "b.jpg", times));
  EXPECT_EQ(stamp, times.lastWrite);
}

TEST(Keywords, MakeValidFileNameReplacesWhatNamesCannotHold) {
  EXPECT_EQ("Nikon_Main", MakeValidFileName("Nikon/Main"));
  EXPECT_EQ("a_b_c_d_e_f_g_h_i", MakeValidFileName("a*b/c:d<e>f?g\\h|i"));
  EXPECT_EQ("tab_nl_", MakeValidFileName("tab\tnl\n"));
  EXPECT_EQ("\"quoted\", kept", MakeValidFileName("\"quoted\", kept"));
  EXPECT_EQ("caf\xC3\xA9", MakeValidFileName("caf\xC3\xA9"));  // bytes above 127 stay
}

TEST(TargetName, ExtractFileBaseTakesTheNameUpToItsFirstDot) {
  EXPECT_EQ("IMG_0001", ExtractFileBase("IMG_0001.JPG"));
  EXPECT_EQ("my", ExtractFileBase("my.trip.jpg"));
  EXPECT_EQ("", ExtractFileBase(".hidden"));
  EXPECT_EQ("README", ExtractFileBase("README"));
  EXPECT_EQ("IMG", ExtractFileBase("some.dir\\IMG.JPG"));
}
