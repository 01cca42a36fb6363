#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "engine/pass/RenameDirectory.h"
#include "platform/Errors.h"
#include "platform/FileOperations.h"
#include "platform/FileTimes.h"
#include "platform/Path.h"
#include "settings/Translations.h"
#include "tests/support/Photos.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"

using test::Photo;
using test::PhotoInfo;
using test::ReadBytes;
using test::WriteBytes;

namespace {

const char kSep = platform::PathSeparator();

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names = platform::ListFiles(folder + "*");
  std::sort(names.begin(), names.end());
  return names;
}

// A format that puts the targets into an absolute folder of the test's own (backslashes
// as the format language writes folders, so it works the same on every system).
std::string QuotedFolder(const std::string& folder) {
  std::string text = folder;
  std::replace(text.begin(), text.end(), '/', '\\');
  return "'" + text + "'";
}

class RenamePass : public ::testing::Test {
 protected:
  std::string Add(const std::string& name, const PhotoInfo& info) {
    WriteBytes(dir / name, Photo(info));
    return dir / name;
  }
  int32_t Run(const std::string& pattern = "*.*") { return run.Rename(dir / pattern); }

  test::TempDir dir;
  test::SettingsSandbox settings;
  test::TestRun run;
  test::RecordingSink& sink = run.sink;
  tRunOptions& options = run.options;
};

}  // namespace

TEST_F(RenamePass, NamesTheFileAfterItsOwnDateTimeByDefault) {
  const std::string source = Add("IMG_0001.JPG", {"2004:05:07 10:00:00", "2004:05:06 07:08:09"});
  EXPECT_EQ(1, Run());
  const std::string target = dir / "2004-05-07-10-00-00_IMG_0001.JPG";
  EXPECT_EQ((std::vector<std::string>{"2004-05-07-10-00-00_IMG_0001.JPG"}), FilesIn(dir.Path()));
  ASSERT_EQ(1u, sink.lines.size());
  EXPECT_EQ("Stampel 1: " + source + " -> " + target, sink.lines[0].text);
  EXPECT_FALSE(sink.lines[0].alert);
  EXPECT_EQ(1, sink.lines[0].increment);
  EXPECT_EQ(1, sink.clears);
}

TEST_F(RenamePass, OriginalFirstPrefersTheCaptureTime) {
  Add("IMG_0001.JPG", {"2004:05:07 10:00:00", "2004:05:06 07:08:09"});
  options.OriginalFirst = true;
  options.DropOldName = true;
  Run();
  EXPECT_EQ((std::vector<std::string>{"2004-05-06-07-08-09_.JPG"}), FilesIn(dir.Path()));
}

TEST_F(RenamePass, AMissingDateTimeFallsBackToTheOther) {
  Add("a.jpg", {"", "2001:02:03 04:05:06"});
  Add("b.jpg", {"2002:03:04 05:06:07", ""});
  options.Format = "yyyymmdd_";
  Run("a.jpg");  // no file time of its own: the capture time
  options.OriginalFirst = true;
  Run("b.jpg");  // no capture time: the file's own time
  EXPECT_EQ((std::vector<std::string>{"20010203_a.jpg", "20020304_b.jpg"}), FilesIn(dir.Path()));
}

TEST_F(RenamePass, AFileWithoutDateKeepsItsNameButTakesItsCounter) {
  const std::string source = Add("IMG_0001.JPG", {"", "", "NIKON D70"});
  options.UseCounter = true;
  options.DropOldName = true;
  const int32_t before = run.counter;
  EXPECT_EQ(0, Run());
  EXPECT_EQ(before + 1, run.counter);
  EXPECT_EQ((std::vector<std::string>{"IMG_0001.JPG"}), FilesIn(dir.Path()));
  ASSERT_EQ(1u, sink.lines.size());
  EXPECT_EQ("Stampel 1: " + source + " -> nothing to rename", sink.lines[0].text);
  EXPECT_TRUE(sink.lines[0].alert);
  EXPECT_EQ(0, sink.lines[0].increment);
}

TEST_F(RenamePass, FilesWithoutExifAreReportedAndKept) {
  WriteBytes(dir / "notes.png", "\x89PNG\r\n\x1a\n not an image the program reads");
  WriteBytes(dir / "bare.jpg", "\xFF\xD8\xFF\xD9 a JPEG without Exif");
  EXPECT_EQ(0, Run());
  EXPECT_EQ((std::vector<std::string>{"bare.jpg", "notes.png"}), FilesIn(dir.Path()));
  ASSERT_EQ(2u, sink.lines.size());
  for (const auto& line : sink.lines) {
    EXPECT_NE(std::string::npos, line.text.find(" -> no Exif information available")) << line.text;
    EXPECT_TRUE(line.alert);
  }
}

TEST_F(RenamePass, AnExistingTargetIsSidesteppedOrReplaced) {
  Add("IMG.JPG", {"2004:05:06 07:08:09", "", "", 0, 0, "new"});
  WriteBytes(dir / "2004-05-06-07-08-09_IMG.JPG", "older file");
  EXPECT_EQ(1, Run("IMG.JPG"));
  EXPECT_EQ("older file", ReadBytes(dir / "2004-05-06-07-08-09_IMG.JPG"));
  EXPECT_NE(std::string::npos, ReadBytes(dir / "2004-05-06-07-08-09_IMG.JPG_1.JPG").find("new"));
  EXPECT_NE(std::string::npos,
            sink.lines.back().text.find("-> " + dir / "2004-05-06-07-08-09_IMG.JPG_1.JPG"));

  Add("IMG.JPG", {"2004:05:06 07:08:09", "", "", 0, 0, "newer"});
  options.Overwrite = true;
  EXPECT_EQ(1, Run("IMG.JPG"));
  EXPECT_NE(std::string::npos, ReadBytes(dir / "2004-05-06-07-08-09_IMG.JPG").find("newer"));
  EXPECT_EQ(2u, FilesIn(dir.Path()).size());
}

TEST_F(RenamePass, ACopyLeavesTheSourceInPlace) {
  const std::string bytes = Photo({"2004:05:06 07:08:09", ""});
  WriteBytes(dir / "IMG.JPG", bytes);
  options.CopyFiles = true;
  EXPECT_EQ(1, Run());
  EXPECT_EQ(bytes, ReadBytes(dir / "IMG.JPG"));
  EXPECT_EQ(bytes, ReadBytes(dir / "2004-05-06-07-08-09_IMG.JPG"));
}

TEST_F(RenamePass, TheCounterRunsOnAcrossFoldersWhileLineNumbersRestart) {
  platform::ForceDirectories(dir / "sub");
  for (int i = 0; i < 10; ++i) Add("a" + std::to_string(i) + ".jpg", {"2004:05:06 07:08:09"});
  for (int i = 0; i < 5; ++i)
    Add(std::string("sub") + kSep + "b" + std::to_string(i) + ".jpg", {"2004:05:06 07:08:09"});
  options.Format = "'x'";
  options.DropOldName = true;
  options.UseCounter = true;
  options.CounterWidth = 4;
  options.Recurse = true;
  const int32_t start = run.counter;
  EXPECT_EQ(15, Run("*.jpg"));
  ASSERT_EQ(15u, sink.lines.size());
  for (int i = 0; i < 15; ++i) {
    const int lineNumber = i < 10 ? i + 1 : i - 9;
    char counter[32];
    std::snprintf(counter, sizeof counter, "x%04d.jpg", start + i + 1);
    const std::string& text = sink.lines[i].text;
    EXPECT_EQ(0u, text.find("Stampel " + std::to_string(lineNumber) + ": ")) << text;
    EXPECT_NE(std::string::npos, text.find(counter)) << text;
  }
  EXPECT_EQ(10u, FilesIn(dir.Path()).size());
  EXPECT_EQ(5u, FilesIn(dir / "sub" + kSep).size());
}

TEST_F(RenamePass, NothingToRenameStillAdvancesTheCounterAndStamps) {
  const int32_t next = run.counter + 1;
  const std::string source = Add("x" + std::to_string(next) + ".jpg", {"2004:05:06 07:08:09"});
  options.Format = "'x'";
  options.DropOldName = true;
  options.UseCounter = true;
  options.CounterWidth = 0;
  options.SetFileStamp = true;
  EXPECT_EQ(0, Run());
  EXPECT_EQ(next, run.counter);
  ASSERT_EQ(1u, sink.lines.size());
  EXPECT_EQ("Stampel 1: " + source + " -> nothing to rename", sink.lines[0].text);
  EXPECT_EQ(0, sink.lines[0].increment);
  platform::FileTimes times;
  ASSERT_TRUE(platform::GetFileTimes(source, times));
  EXPECT_EQ(platform::EncodeDateTime({2004, 5, 6, 7, 8, 9, 0}), times.lastWrite);
}

TEST_F(RenamePass, TheStampIsWrittenOnlyWhenTheTimesDiffer) {
  const std::string source = Add("IMG.JPG", {"2004:05:06 07:08:09"});
  options.SetFileStamp = true;
  options.CopyFiles = true;
  Run("IMG.JPG");
  const TDateTime moment = platform::EncodeDateTime({2004, 5, 6, 7, 8, 9, 0});
  platform::FileTimes source1, copy;
  ASSERT_TRUE(platform::GetFileTimes(source, source1));
  ASSERT_TRUE(platform::GetFileTimes(dir / "2004-05-06-07-08-09_IMG.JPG", copy));
  EXPECT_EQ(moment, source1.lastWrite);
  EXPECT_EQ(moment, copy.lastWrite);  // the copy carries the stamp made before it
}

TEST_F(RenamePass, AReadOnlyFileIsRenamedButNotStamped) {
  const std::string source = Add("IMG.JPG", {"2004:05:06 07:08:09"});
  namespace fs = std::filesystem;
  fs::permissions(test::Utf8Path(source),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  platform::FileTimes before;
  ASSERT_TRUE(platform::GetFileTimes(source, before));
  options.SetFileStamp = true;
  EXPECT_EQ(1, Run());
  platform::FileTimes after;
  ASSERT_TRUE(platform::GetFileTimes(dir / "2004-05-06-07-08-09_IMG.JPG", after));
  EXPECT_EQ(before.lastWrite, after.lastWrite);
}

TEST_F(RenamePass, SubfoldersFollowDepthFirstWithTheNamePartOfThePattern) {
  platform::ForceDirectories(dir / "a" + kSep + "deep");
  Add("IMG_1.JPG", {"2001:01:01 00:00:00"});
  Add("DSC_1.JPG", {"2001:01:01 00:00:00"});
  Add(std::string("a") + kSep + "IMG_2.JPG", {"2002:01:01 00:00:00"});
  Add(std::string("a") + kSep + "deep" + kSep + "IMG_3.JPG", {"2003:01:01 00:00:00"});
  Add(std::string("a") + kSep + "deep" + kSep + "DSC_3.JPG", {"2003:01:01 00:00:00"});
  options.Recurse = true;
  options.Format = "yyyy_";
  EXPECT_EQ(3, Run("IMG_*.JPG"));
  EXPECT_EQ((std::vector<std::string>{"2001_IMG_1.JPG", "DSC_1.JPG"}), FilesIn(dir.Path()));
  EXPECT_EQ((std::vector<std::string>{"2003_IMG_3.JPG", "DSC_3.JPG"}),
            FilesIn(dir / "a" + kSep + "deep" + kSep));
  // The folder's own files come before its subfolders.
  ASSERT_EQ(3u, sink.lines.size());
  EXPECT_NE(std::string::npos, sink.lines[0].text.find("IMG_1.JPG"));
  EXPECT_NE(std::string::npos, sink.lines[1].text.find("IMG_2.JPG"));
  EXPECT_NE(std::string::npos, sink.lines[2].text.find("IMG_3.JPG"));
}

TEST_F(RenamePass, FoldersTheFormatCreatesAreNotWalkedAgain) {
  Add("IMG.JPG", {"2004:05:06 07:08:09"});
  options.Recurse = true;
  options.Format = QuotedFolder(dir.Path()) + "yyyy\\mm\\yyyy-mm-dd_";
  EXPECT_EQ(1, Run("*.JPG"));
  const std::string folder = dir / "2004" + kSep + "05" + kSep;
  EXPECT_EQ((std::vector<std::string>{"2004-05-06_IMG.JPG"}), FilesIn(folder));
  EXPECT_EQ(1u, sink.lines.size());
}

TEST_F(RenamePass, StopEndsThePassAfterTheCurrentFileAtEveryLevel) {
  platform::ForceDirectories(dir / "sub");
  for (int i = 0; i < 5; ++i) Add("f" + std::to_string(i) + ".jpg", {"2004:05:06 07:08:09"});
  Add(std::string("sub") + kSep + "g.jpg", {"2004:05:06 07:08:09"});
  options.Recurse = true;
  options.DropOldName = true;
  options.UseCounter = true;
  int lines = 0;
  sink.onLine = [&](const std::string&) {
    if (++lines == 2) run.cancel.StopPattern();  // as the Stop button does during the second file
  };
  EXPECT_EQ(2, Run("*.jpg"));
  EXPECT_EQ(2u, sink.lines.size());
  EXPECT_EQ((std::vector<std::string>{"g.jpg"}), FilesIn(dir / "sub" + kSep));
  // The next pass starts again: the three f files left (g.jpg does not match).
  sink.onLine = nullptr;
  EXPECT_EQ(3, Run("f*.jpg"));
}

TEST_F(RenamePass, AFileThatVanishesEndsThePassNamingIt) {
  Add("a.jpg", {"2004:05:06 07:08:09"});
  Add("b.jpg", {"2004:05:06 07:08:09"});
  std::string vanished;
  sink.onLine = [&](const std::string& text) {
    if (!vanished.empty()) return;
    vanished = text.find("a.jpg ->") != std::string::npos ? dir / "b.jpg" : dir / "a.jpg";
    platform::RemoveFile(vanished);
  };
  try {
    Run("*.jpg");
    FAIL() << "the pass went on";
  } catch (const EFOpenError& error) {
    EXPECT_NE(std::string::npos, std::string(error.what()).find(vanished)) << error.what();
  }
  EXPECT_EQ(1u, FilesIn(dir.Path()).size());
}

TEST_F(RenamePass, ATargetFolderThatCannotBeMadeFailsTheFileOnly) {
  WriteBytes(dir / "blocker", "a file where the folder should go");
  const std::string source = Add("IMG.JPG", {"2004:05:06 07:08:09"});
  Add("OTHER.JPG", {"2005:05:06 07:08:09"});
  options.Format = QuotedFolder(dir / "blocker" + kSep + "sub" + kSep) + "yyyy_";
  EXPECT_EQ(0, Run("*.JPG"));
  const std::vector<std::string> lines = sink.Texts();
  EXPECT_EQ(4u, lines.size());  // the arrow, then the failure, for each file
  const std::string failure = " " + source + " -> couldn't rename this file";
  EXPECT_EQ(1, std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
              return line.size() > failure.size() &&
                     line.compare(line.size() - failure.size(), failure.size(), failure) == 0;
            }));
  EXPECT_EQ((std::vector<std::string>{"IMG.JPG", "OTHER.JPG", "blocker"}), FilesIn(dir.Path()));
}

TEST_F(RenamePass, ALetterCaseOnlyRenameKeepsTheFile) {
  const std::string bytes = Photo({"2004:05:06 07:08:09"});
  WriteBytes(dir / "img.jpg", bytes);
  options.Format = "'IMG'";
  options.DropOldName = true;
  options.Overwrite = true;  // must never delete the source as "the existing target"
  EXPECT_EQ(1, Run());
  EXPECT_EQ((std::vector<std::string>{"IMG.jpg"}), FilesIn(dir.Path()));
  EXPECT_EQ(bytes, ReadBytes(dir / "IMG.jpg"));
}

TEST_F(RenamePass, KeywordsTakeTheReadersValuesAndTheTranslations) {
  Add("a.jpg", {"2004:05:06 07:08:09", "", "nikon d70", 3000, 2000});
  Add("b.jpg", {"2004:05:06 07:08:09", "", "", 2000, 3000});
  ModelTranslations = {"NIKON D70=Nikon/Main"};
  PortraitWord = "hoch";
  options.Format = "'Model'_'Size'_'Orient'_";
  options.DropOldName = true;
  Run();
  EXPECT_EQ((std::vector<std::string>{"Model_2000x3000_hoch_.jpg", "Nikon_Main_3000x2000_L_.jpg"}),
            FilesIn(dir.Path()));
}

TEST_F(RenamePass, EachFileIsReadAsItIsAtItsTurnWhateverWasReadAheadOfIt) {
  for (int i = 0; i < 40; ++i) Add("f" + std::to_string(i) + ".jpg", {"2004:05:06 07:08:09"});
  options.Format = "yyyy_";
  int lines = 0;
  sink.onLine = [&](const std::string&) {
    if (++lines != 1) return;
    // After the first file, every other one changes its date or goes away.
    for (const std::string& name : platform::ListFiles(dir / "f*.jpg")) {
      if (name == "f7.jpg")
        platform::RemoveFile(dir / name);
      else
        WriteBytes(dir / name, Photo({"2010:01:02 03:04:05"}));
    }
  };
  try {
    Run("f*.jpg");
  } catch (const EFOpenError&) {
    // the vanished file ends the pass when its turn comes, as it always has
  }
  const std::vector<std::string> names = FilesIn(dir.Path());
  EXPECT_EQ(1, std::count_if(names.begin(), names.end(),
                             [](const std::string& name) { return name.rfind("2004_", 0) == 0; }));
  EXPECT_EQ(0, std::count(names.begin(), names.end(), "f7.jpg"));
  for (const std::string& name : names)
    EXPECT_TRUE(name.rfind("2004_", 0) == 0 || name.rfind("2010_", 0) == 0 ||
                name.rfind("f", 0) == 0)
        << name;
  // The lines name the new date for every file renamed after the first.
  for (size_t i = 1; i < sink.lines.size(); ++i)
    EXPECT_NE(std::string::npos, sink.lines[i].text.find(" -> " + dir / "2010_"))
        << sink.lines[i].text;
}
