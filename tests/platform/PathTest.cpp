#include "platform/Path.h"

#include <gtest/gtest.h>

using platform::ExtractFileExt;
using platform::ExtractFileName;
using platform::ExtractFilePath;

TEST(Path, SplitsAtTheLastBackslash) {
  EXPECT_EQ("D:\\Pics\\", ExtractFilePath("D:\\Pics\\IMG.JPG"));
  EXPECT_EQ("IMG.JPG", ExtractFileName("D:\\Pics\\IMG.JPG"));
  EXPECT_EQ(".JPG", ExtractFileExt("D:\\Pics\\IMG.JPG"));
  EXPECT_EQ("", ExtractFilePath("IMG.JPG"));
  EXPECT_EQ("IMG.JPG", ExtractFileName("IMG.JPG"));
}

TEST(Path, ExtensionComesFromTheNamePartOnly) {
  EXPECT_EQ("", ExtractFileExt("a.dir\\README"));
  EXPECT_EQ(".gz", ExtractFileExt("x.tar.gz"));
  EXPECT_EQ(".", ExtractFileExt("name."));
  EXPECT_EQ(".hidden", ExtractFileExt(".hidden"));
}

TEST(Path, DelimitersFollowTheSystem) {
  if (platform::PathSeparator() == '\\') {
    // A drive colon ends the directory part; a slash is an ordinary character.
    EXPECT_EQ("C:", ExtractFilePath("C:x.jpg"));
    EXPECT_EQ("x.jpg", ExtractFileName("C:x.jpg"));
    EXPECT_EQ("a/b.jpg", ExtractFileName("a/b.jpg"));
    EXPECT_EQ("a\\b", platform::NativePath("a\\b"));
  } else {
    // Both slashes separate, so formats written for Windows make subfolders.
    EXPECT_EQ("/tmp/a\\", ExtractFilePath("/tmp/a\\b.jpg"));
    EXPECT_EQ("C:x.jpg", ExtractFileName("C:x.jpg"));
    EXPECT_EQ("2008/06/x.jpg", platform::NativePath("2008\\06\\x.jpg"));
  }
}
