#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "platform/FileSystem.h"
#include "tests/support/TempDir.h"
#include "ui/About.h"
#include "ui/console/MatchingFiles.h"
#include "ui/console/Usage.h"

namespace {

TEST(Usage, StartsWithTheTitleAndFitsAnEightyColumnTerminal) {
  const std::string usage = ui::console::UsageText();
  EXPECT_EQ(0u, usage.rfind(about::TitleText() + "\n", 0));
  std::istringstream lines(usage);
  std::string line;
  while (std::getline(lines, line)) EXPECT_LE(line.size(), 80u) << line;
  EXPECT_EQ('\n', usage.back());
}

TEST(MatchingFiles, SeesFilesInTheFolderAndWithRecurseBelowIt) {
  test::TempDir dir;
  std::filesystem::create_directories(dir / "deep/er");
  std::filesystem::create_directories(dir / ".hidden");
  test::WriteBytes(dir / "deep/er/IMG_1.JPG", "x");
  test::WriteBytes(dir / "notes.txt", "x");
  test::WriteBytes(dir / ".hidden/b.jpg", "x");
  const std::string& base = dir.Path();
  platform::FileSystem& files = platform::RealFileSystem();
  EXPECT_TRUE(ui::console::MatchesAnyFile(files, base + "*.TXT", false));
  EXPECT_FALSE(ui::console::MatchesAnyFile(files, base + "*.jpg", false));
  EXPECT_TRUE(ui::console::MatchesAnyFile(files, base + "*.jpg", true));
  EXPECT_TRUE(ui::console::MatchesAnyFile(files, base + "deep\\er\\img_?.jpg", false));
  EXPECT_FALSE(ui::console::MatchesAnyFile(files, base + "deep", true));  // a folder is no file
  EXPECT_FALSE(ui::console::MatchesAnyFile(files, base + "missing/*.jpg", true));
  EXPECT_FALSE(ui::console::MatchesAnyFile(files, base + "*.gif", true));
}

}  // namespace
