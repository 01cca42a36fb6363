// Whatever the options, the rename pass must never lose a file: after a pass every byte
// sequence that was there before is there exactly once (moves) or twice (copies), and
// nothing else has appeared.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

#include "engine/RenameDirectory.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "tests/support/Photos.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using test::Photo;
using test::PhotoInfo;

namespace {

const char kSep = platform::PathSeparator();

// Every file below a folder, as contents -> how often.
std::map<std::string, int> Contents(const std::string& folder) {
  std::map<std::string, int> contents;
  for (const auto& entry : fs::recursive_directory_iterator(test::Utf8Path(folder)))
    if (entry.is_regular_file()) ++contents[test::ReadBytes(test::PathText(entry.path()))];
  return contents;
}

std::string QuotedFolder(const std::string& folder) {
  std::string text = folder;
  std::replace(text.begin(), text.end(), '/', '\\');
  return "'" + text + "'";
}

// About 300 files in four folders: photos whose dates often coincide, photos without a
// date, files of no known kind, names in both letter cases, some read-only.
void MakeTree(const std::string& root, bool duplicatesOnly) {
  std::mt19937 random(42);
  const std::string folders[] = {"", "a", std::string("a") + kSep + "b", "c"};
  for (const std::string& folder : folders) platform::ForceDirectories(root + folder);
  for (int i = 0; i < 300; ++i) {
    const std::string folder = folders[random() % 4];
    const std::string where = root + (folder.empty() ? "" : folder + kSep);
    const int day = 1 + static_cast<int>(random() % 6);  // few dates: many collisions
    char date[32];
    std::snprintf(date, sizeof date, "2004:05:%02d 07:08:09", day);
    // With duplicatesOnly, files of the same date are the same photo (copies of it), so
    // replacing one by another loses nothing.
    const std::string salt = duplicatesOnly ? std::string(date) : "file " + std::to_string(i);
    const bool upperExtension = i % 2 == 1 && !duplicatesOnly;  // one target per date there
    std::string name = (i % 3 == 0 ? "IMG_" : "img_") + std::to_string(i % 50) + (upperExtension ? ".JPG" : ".jpg");
    if (test::Exists(where + name)) name = "x" + std::to_string(i) + "_" + name;
    const int kind = static_cast<int>(random() % 10);
    if (kind == 0 && !duplicatesOnly)
      test::WriteBytes(where + name, Photo(PhotoInfo("", "", "no date", 0, 0, salt)));
    else if (kind == 1 && !duplicatesOnly)
      test::WriteBytes(where + "n" + std::to_string(i) + ".png", "\x89PNG " + salt);
    else
      test::WriteBytes(where + name, Photo(PhotoInfo(date, date, "", 0, 0, salt)));
    if (kind == 2 && !duplicatesOnly)
      fs::permissions(test::Utf8Path(where + name), fs::perms::owner_write, fs::perm_options::remove);
  }
}

class NoLoss : public ::testing::Test {
 protected:
  int32_t Run() { return RenameDirectory(options, dir / "*.*"); }

  test::TempDir dir;
  test::RecordingSink sink;
  test::SettingsSandbox settings;
  tRunOptions options;
};

}  // namespace

TEST_F(NoLoss, MovesWithCollisionsAndACounterKeepEveryFile) {
  MakeTree(dir.Path(), false);
  const auto before = Contents(dir.Path());
  options.Recurse = true;
  options.UseCounter = true;
  options.CounterWidth = 2;
  Run();
  EXPECT_EQ(before, Contents(dir.Path()));
}

TEST_F(NoLoss, MovesIntoOneFolderBeyondTheFreeNamesKeepEveryFile) {
  MakeTree(dir.Path(), false);
  const auto before = Contents(dir.Path());
  // Coarse names in one folder: more collisions than there are free names for some.
  options.Format = QuotedFolder(dir / "sorted" + kSep) + "yyyy-mm";
  options.DropOldName = true;
  options.Recurse = true;
  Run();
  EXPECT_EQ(before, Contents(dir.Path()));
  int failed = 0;
  for (const auto& line : sink.lines) failed += line.text.find("couldn't rename this file") != std::string::npos;
  EXPECT_GT(failed, 0) << "the tree should overflow the 37 free names";
}

TEST_F(NoLoss, CopiesIntoSubfoldersDoubleEveryFile) {
  MakeTree(dir.Path(), false);
  const auto before = Contents(dir.Path());
  options.Format = QuotedFolder(dir / "sorted" + kSep) + "yyyy\\mm\\dd\\hhnnss_";
  options.CopyFiles = true;
  options.Recurse = true;
  options.UseCounter = true;
  Run();
  // Files of no date or no known kind are not copied.
  std::map<std::string, int> expected = before;
  const auto after = Contents(dir.Path());
  for (auto& [bytes, count] : expected)
    if (bytes.rfind("\xFF\xD8", 0) == 0 && bytes.find("no date") == std::string::npos) count *= 2;
  EXPECT_EQ(expected, after);
}

TEST_F(NoLoss, OverwritingCopiesOfOnePhotoKeepsOneOfEach) {
  MakeTree(dir.Path(), true);
  const auto before = Contents(dir.Path());
  options.Format = QuotedFolder(dir / "sorted" + kSep) + "yyyy-mm-dd";
  options.DropOldName = true;
  options.Overwrite = true;
  options.Recurse = true;
  Run();
  const auto after = Contents(dir.Path());
  ASSERT_EQ(before.size(), after.size());
  for (const auto& [bytes, count] : after) {
    EXPECT_EQ(1, count);
    EXPECT_EQ(1u, before.count(bytes));
  }
}

TEST_F(NoLoss, LetterCaseOnlyRenamesInEveryFolderKeepEveryFile) {
  const std::string folders[] = {"", std::string("p") + kSep, std::string("q") + kSep};
  for (const std::string& folder : folders) {
    platform::ForceDirectories(dir / folder);
    test::WriteBytes(dir / folder + "photo.jpg", Photo(PhotoInfo("2004:05:06 07:08:09", "", "", 0, 0, folder)));
  }
  const auto before = Contents(dir.Path());
  options.Format = "'PHOTO'";
  options.DropOldName = true;
  options.Overwrite = true;
  options.Recurse = true;
  EXPECT_EQ(3, Run());
  EXPECT_EQ(before, Contents(dir.Path()));
  for (const std::string& folder : folders)
    EXPECT_EQ((std::vector<std::string>{"PHOTO.jpg"}), platform::ListFiles(dir / folder + "*")) << folder;
}
