#include <gtest/gtest.h>

#include "engine/format/Keywords.h"
#include "engine/pass/TargetName.h"
#include "platform/FileOperations.h"
#include "platform/Path.h"
#include "tests/support/TempDir.h"

using test::TempDir;

namespace {

// The path as this system spells it (backslashes become "/" on POSIX).
std::string Native(const std::string& path) { return platform::NativePath(path); }

std::string UniqueFileName(const std::string& target) {
  return ::UniqueFileName(target,
                          [](const std::string& name) { return platform::FileExists(name); });
}

}  // namespace

TEST(Keywords, TranslateModelTakesTheFirstMatchIgnoringCase) {
  const std::vector<std::string> lines = {
      "no equals sign", "NIKON D70=Nikon/Main", "nikon d70=Second",
      "EMPTY=",         "Canon EOS 350D=",      "canon eos 350d=Rebel"};
  EXPECT_EQ("Nikon/Main", TranslateModel("nikon d70", lines));
  EXPECT_EQ("EMPTY", TranslateModel("EMPTY", lines));
  // An empty translation ends the search: the model stays as it is.
  EXPECT_EQ("Canon EOS 350D", TranslateModel("Canon EOS 350D", lines));
  EXPECT_EQ("no equals sign", TranslateModel("no equals sign", lines));
  EXPECT_EQ("Unknown", TranslateModel("Unknown", lines));
}

TEST(TargetNameRules, CleanTargetNameBlanksWhatNamesCannotHold) {
  EXPECT_EQ("2004 05 06 12 30", CleanTargetName("2004:05:06 12:30"));
  EXPECT_EQ("C:\\x y", CleanTargetName("C:\\x:y"));
  EXPECT_EQ("a b c d e f g h\\i", CleanTargetName("a\"b*c,d/e<f>g?h\\i"));
  EXPECT_EQ("x y", CleanTargetName("x|y"));
  EXPECT_EQ("\t", CleanTargetName("\t"));  // control characters stay
  EXPECT_EQ(" ", CleanTargetName(":"));    // a colon first is no drive
}

TEST(TargetNameRules, CounterTextPadsButNeverCuts) {
  EXPECT_EQ("007", CounterText(7, 3));
  EXPECT_EQ("1234", CounterText(1234, 3));
  EXPECT_EQ("7", CounterText(7, 0));
  EXPECT_EQ("7", CounterText(7, -5));
  EXPECT_EQ("00042", CounterText(42, 5));
}

TEST(TargetNameRules, ComposeTargetJoinsThePartsWithoutSeparators) {
  EXPECT_EQ(
      Native("D:\\Pics\\2004-05-06-07-08-09_IMG_0001007.JPG"),
      ComposeTarget("D:\\Pics\\", "2004-05-06-07-08-09_", "D:\\Pics\\IMG_0001.JPG", "007", false));
  EXPECT_EQ(
      Native("D:\\Pics\\2004-05-06-07-08-09_007.JPG"),
      ComposeTarget("D:\\Pics\\", "2004-05-06-07-08-09_", "D:\\Pics\\IMG_0001.JPG", "007", true));
  EXPECT_EQ(Native("D:\\Pics\\x_README"),
            ComposeTarget("D:\\Pics\\", "x_", "D:\\Pics\\README", "", false));
  EXPECT_EQ("IMG_0001.JPG", ComposeTarget("", "", "IMG_0001.JPG", "", false));
  EXPECT_EQ(Native("D:\\Pics\\s_my.jpg"),
            ComposeTarget("D:\\Pics\\", "s_", "D:\\Pics\\my.trip.jpg", "", false));
}

TEST(TargetNameRules, AStemWithAPathOfItsOwnDropsThePrefix) {
  // A backslash makes the target relative to the working folder; a drive makes it absolute.
  EXPECT_EQ(Native("2004\\05\\x_IMG.JPG"),
            ComposeTarget("D:\\Pics\\", "2004\\05\\x_", "D:\\Pics\\IMG.JPG", "", false));
  EXPECT_EQ(Native("C:\\Sorted\\IMG.JPG"),
            ComposeTarget("D:\\Pics\\", "C:\\Sorted\\", "D:\\Pics\\IMG.JPG", "", false));
}

TEST(TargetNameRules, UniqueFileNameKeepsTheExtensionTwice) {
  TempDir dir;
  const std::string target = dir / "2004-05-06_IMG.JPG";
  test::WriteBytes(target, "x");
  EXPECT_EQ(dir / "2004-05-06_IMG.JPG_1.JPG", UniqueFileName(target));
  for (char c : std::string("123456789"))
    test::WriteBytes(dir / "2004-05-06_IMG.JPG_" + c + ".JPG", "x");
  EXPECT_EQ(dir / "2004-05-06_IMG.JPG_A.JPG", UniqueFileName(target));
}

TEST(TargetNameRules, UniqueFileNameCountsOnlyFilesAsTaken) {
  TempDir dir;
  test::WriteBytes(dir / "name", "x");
  platform::ForceDirectories(dir / "name_1");
  EXPECT_EQ(dir / "name_1", UniqueFileName(dir / "name"));
}

TEST(TargetNameRules, UniqueFileNameGivesTheLastCandidateWhenAllAreTaken) {
  TempDir dir;
  test::WriteBytes(dir / "n.x", "x");
  for (char c : std::string("123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ!"))
    test::WriteBytes(dir / "n.x_" + c + ".x", "x");
  EXPECT_EQ(dir / "n.x_@.x", UniqueFileName(dir / "n.x"));
  test::WriteBytes(dir / "n.x_@.x", "x");
  EXPECT_EQ(dir / "n.x_@.x", UniqueFileName(dir / "n.x"));
}
