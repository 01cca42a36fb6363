// Folders as cameras, phones and Google Takeout leave them, made by real tools
// (tests/media/make-trees.sh), sorted into year and month folders: every companion must
// arrive beside its photo under the matching name, no group may be split, nothing may be
// lost; the list must be the run, and the undo must give the tree back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tests/engine/TortureTrees.h"
#include "tests/media/Program.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"
#include "tests/support/ZoneScope.h"

namespace {

namespace fs = std::filesystem;

const std::string kSeparator(1, static_cast<char>(fs::path::preferred_separator));

// A file of a tree and where a run must put it, below the folder the format names:
// '#' stands for its group's counter number. No target: the file stays where it is.
struct Placed {
  const char* source;
  const char* target;
  char group;
  const char* from = nullptr;  // what its line adds: where its date came from
};

struct Tree {
  const char* name;     // its folder in tests/media/trees
  const char* pattern;  // the name part of the path pattern
  std::vector<Placed> files;
  bool elsewhere = false;  // /E: dates from Takeout's JSON and names
};

constexpr const char* kFromJson = " (date from the Takeout JSON)";
constexpr const char* kFromName = " (date from the file name)";

void PrintTo(const Tree& tree, std::ostream* out) { *out << tree.name; }

const Tree kTrees[] = {
    {"camera",
     "*.*",
     {{"DCIM/100CANON/IMG_0001.CR2", "2023/05/20230501_#.CR2", 'a'},
      {"DCIM/100CANON/IMG_0001.JPG", "2023/05/20230501_#.JPG", 'a'},
      {"DCIM/100CANON/IMG_0001.CR2.xmp", "2023/05/20230501_#.CR2.xmp", 'a'},
      {"DCIM/100CANON/IMG_0001.CR2.pp3", "2023/05/20230501_#.CR2.pp3", 'a'},
      {"DCIM/100CANON/IMG_0001.xmp", "2023/05/20230501_#.xmp", 'a'},
      {"DCIM/100CANON/IMG_0002.CR2", "2023/05/20230501_#.CR2", 'b'},
      {"DCIM/100CANON/IMG_0002.xmp", "2023/05/20230501_#.xmp", 'b'},
      {"DCIM/101NIKON/DSC_0003.NEF", "2023/05/20230502_#.NEF", 'c'},
      {"DCIM/101NIKON/DSC_0003.JPG", "2023/05/20230502_#.JPG", 'c'},  // a second later
      {"DCIM/101NIKON/DSC_0003.NEF.xmp", "2023/05/20230502_#.NEF.xmp", 'c'},
      {"DCIM/101NIKON/DSC_0003.NEF.dop", "2023/05/20230502_#.NEF.dop", 'c'},
      {"DCIM/102SONY/DSC00005.ARW", "2023/05/20230503_#.ARW", 'd'},
      {"DCIM/102SONY/DSC00005.JPG", "2023/05/20230503_#.JPG", 'd'},
      {"DCIM/102SONY/DSC00005.xmp", "2023/05/20230503_#.xmp", 'd'}}},
    {"iphone",
     "*.*",
     {{"DCIM/100APPLE/IMG_0100.HEIC", "2025/07/20250711_#.HEIC", 'a'},
      {"DCIM/100APPLE/IMG_0100.MOV", "2025/07/20250711_#.MOV", 'a'},
      {"DCIM/100APPLE/IMG_0100.AAE", "2025/07/20250711_#.AAE", 'a'},
      {"DCIM/100APPLE/IMG_E0100.HEIC", "2025/07/20250711_#.HEIC", 'b'},
      {"DCIM/100APPLE/IMG_0101.JPG", "2025/07/20250711_#.JPG", 'c'},
      // Renamed away from its still; Apple's identifier in both ties them.
      {"DCIM/100APPLE/IMG_0101_HEVC.MOV", "2025/07/20250711_#.MOV", 'c'},
      {"DCIM/100APPLE/IMG_0102.HEIC", "2025/07/20250712_#.HEIC", 'd'},
      {"DCIM/100APPLE/IMG_0102.AAE", "2025/07/20250712_#.AAE", 'd'}}},
    {"gopro",
     "*.MP4",
     {{"DCIM/100GOPRO/GX010373.MP4", "2023/05/20230502_#.MP4", 'a'},
      {"DCIM/100GOPRO/GX010373.THM", "2023/05/20230502_#.THM", 'a'},
      {"DCIM/100GOPRO/GL010373.LRV", "2023/05/20230502_#.LRV", 'a'},
      {"DCIM/100GOPRO/GH010374.MP4", "2023/05/20230502_#.MP4", 'b'},
      {"DCIM/100GOPRO/GH010374.THM", "2023/05/20230502_#.THM", 'b'},
      {"DCIM/100GOPRO/GL010374.LRV", "2023/05/20230502_#.LRV", 'b'}}},
    {"sony",
     "*.*",
     {{"PRIVATE/M4ROOT/CLIP/C0001.MP4", "2023/05/20230503_#.MP4", 'a'},
      {"PRIVATE/M4ROOT/CLIP/C0001M01.XML", "2023/05/20230503_#M01.XML", 'a'},
      {"PRIVATE/M4ROOT/CLIP/C0002.MP4", "2023/05/20230503_#.MP4", 'b'},
      {"PRIVATE/M4ROOT/CLIP/C0002M01.XML", "2023/05/20230503_#M01.XML", 'b'}}},
    {"takeout",
     "*.*",
     {{"Takeout/Google Photos/Photos from 2023/IMG_1001.JPG", "2023/06/20230601_#.JPG", 'a'},
      {"Takeout/Google Photos/Photos from 2023/IMG_1001.JPG.json", "2023/06/20230601_#.JPG.json",
       'a'},
      {"Takeout/Google Photos/Photos from 2023/IMG_1002.JPG", "2023/06/20230602_#.JPG", 'b'},
      {"Takeout/Google Photos/Photos from 2023/IMG_1002.JPG.supplemental-metadata.json",
       "2023/06/20230602_#.JPG.json", 'b'},
      {"Takeout/Google Photos/Photos from 2023/IMG_1003.JPG", "2023/06/20230603_#.JPG", 'c'},
      {"Takeout/Google Photos/Photos from 2023/IMG_1003.JPG.supplemental-metad.json",
       "2023/06/20230603_#.JPG.json", 'c'},
      {"Takeout/Google Photos/Photos from 2023/IMG_1004.JPG", "2023/06/20230604_#.JPG", 'd'},
      {"Takeout/Google Photos/Photos from 2023/IMG_1004.JPG.supp.json",
       "2023/06/20230604_#.JPG.json", 'd'},
      {"Takeout/Google Photos/Photos from 2023/IMG_1001(1).JPG", "2023/06/20230601_#.JPG", 'e'},
      {"Takeout/Google Photos/Photos from 2023/IMG_1001.JPG(1).json", "2023/06/20230601_#.JPG.json",
       'e'},
      {"Takeout/Google Photos/Photos from 2023/IMG_1002(1).JPG", "2023/06/20230602_#.JPG", 'f'},
      {"Takeout/Google Photos/Photos from 2023/IMG_1002.JPG.supplemental-metadata(1).json",
       "2023/06/20230602_#.JPG.json", 'f'},
      {"Takeout/Google Photos/Photos from "
       "2023/20230610_summer_holiday_at_the_lake_with_everyone.jpg",
       "2023/06/20230610_#.jpg", 'g'},
      {"Takeout/Google Photos/Photos from 2023/20230610_summer_holiday_at_the_lake_with_every.json",
       "2023/06/20230610_#.jpg.json", 'g'}}},
    // Only the JPEGs: the raw beside IMG_1.JPG stays, and with it the sidecar of their base;
    // DSC_0001's raw is of another moment (another camera), so that base's sidecar stays too.
    {"traps",
     "*.JPG",
     {{"DSC_0001.JPG", "2023/06/20230601_#.JPG", 'a'},
      {"DSC_0001.JPG.xmp", "2023/06/20230601_#.JPG.xmp", 'a'},
      {"DSC_0001.NEF", nullptr, 0},
      {"DSC_0001.xmp", nullptr, 0},
      {"IMG_1.JPG", "2023/05/20230504_#.JPG", 'b'},
      {"IMG_1.CR2", nullptr, 0},
      {"IMG_1.xmp", nullptr, 0}}},
    // All of them: the raw and the JPEG of another moment are two groups, and their
    // shared sidecar stays; IMG_1's raw leads its JPEG and takes the sidecar along.
    {"traps",
     "*.*",
     {{"DSC_0001.NEF", "2023/05/20230501_#.NEF", 'a'},
      {"DSC_0001.JPG", "2023/06/20230601_#.JPG", 'b'},
      {"DSC_0001.JPG.xmp", "2023/06/20230601_#.JPG.xmp", 'b'},
      {"DSC_0001.xmp", nullptr, 0},
      {"IMG_1.CR2", "2023/05/20230504_#.CR2", 'c'},
      {"IMG_1.JPG", "2023/05/20230504_#.JPG", 'c'},
      {"IMG_1.xmp", "2023/05/20230504_#.xmp", 'c'}}},
};

const Tree kUndatedTakeout = {
    "takeout-undated",
    "*.*",
    {{"Takeout/Google Photos/Saved pictures/IMG_2001.JPG", "2023/06/20230601_#.JPG", 'a',
      kFromJson},
     {"Takeout/Google Photos/Saved pictures/IMG_2001.JPG.json", "2023/06/20230601_#.JPG.json", 'a'},
     {"Takeout/Google Photos/Saved pictures/IMG_2002.JPG", "2023/06/20230602_#.JPG", 'b',
      kFromJson},
     {"Takeout/Google Photos/Saved pictures/IMG_2002.JPG.supplemental-metadata.json",
      "2023/06/20230602_#.JPG.json", 'b'},
     {"Takeout/Google Photos/Saved pictures/IMG_2003.JPG", "2023/06/20230603_#.JPG", 'c',
      kFromJson},
     {"Takeout/Google Photos/Saved pictures/IMG_2003.JPG.supplemental-metad.json",
      "2023/06/20230603_#.JPG.json", 'c'},
     {"Takeout/Google Photos/Saved pictures/IMG_2004.JPG", "2023/06/20230604_#.JPG", 'd',
      kFromJson},
     {"Takeout/Google Photos/Saved pictures/IMG_2004.JPG.supp.json", "2023/06/20230604_#.JPG.json",
      'd'},
     {"Takeout/Google Photos/Saved pictures/IMG_2001(1).JPG", "2023/06/20230601_#.JPG", 'e',
      kFromJson},
     {"Takeout/Google Photos/Saved pictures/IMG_2001.JPG(1).json", "2023/06/20230601_#.JPG.json",
      'e'},
     {"Takeout/Google Photos/Saved pictures/IMG_2002(1).PNG", "2023/06/20230602_#.PNG", 'f',
      kFromJson},
     {"Takeout/Google Photos/Saved pictures/IMG_2002.PNG.supplemental-metadata(1).json",
      "2023/06/20230602_#.PNG.json", 'f'},
     {"Takeout/Google Photos/Saved pictures/received_from_a_friend_on_the_way_to_the_lake.png",
      "2023/06/20230610_#.png", 'g', kFromJson},
     {"Takeout/Google Photos/Saved pictures/received_from_a_friend_on_the_way_to_the_lake..json",
      "2023/06/20230610_#.png.json", 'g'},
     // The JSON before the name.
     {"Takeout/Google Photos/Saved pictures/Screenshot_20230808-080808.png",
      "2023/08/20230809_#.png", 'h', kFromJson},
     {"Takeout/Google Photos/Saved pictures/Screenshot_20230808-080808.png.supplemental-me.json",
      "2023/08/20230809_#.png.json", 'h'},
     {"Takeout/Google Photos/Saved pictures/IMG_20230707_101010.jpg", "2023/07/20230707_#.jpg", 'i',
      kFromName},
     // A JSON of "0" is no date: the picture keeps its name, and its JSON stays with it.
     {"Takeout/Google Photos/Saved pictures/IMG_2005.JPG", nullptr, 0},
     {"Takeout/Google Photos/Saved pictures/IMG_2005.JPG.supplemental-metadata.json", nullptr, 0}},
    true};

std::string NamesOf(const std::map<std::string, std::string>& files) {
  std::string names;
  for (const auto& [name, bytes] : files) names += "\n  " + name;
  return names;
}

// Every file below a folder: its path relative to it, with '/' between folders, and bytes.
std::map<std::string, std::string> Files(const std::string& folder) {
  std::map<std::string, std::string> files;
  if (!fs::exists(test::Utf8Path(folder))) return files;
  for (const auto& [path, state] : test::Snapshot(folder)) {
    std::string name = path;
    std::replace(name.begin(), name.end(), '\\', '/');
    files[name] = state.bytes;
  }
  return files;
}

std::regex TargetPattern(const std::string& target) {
  std::string pattern;
  for (char c : target) {
    if (c == '#')
      pattern += "([0-9]{3,})";
    else if (std::string(".()[]{}+*?^$|\\").find(c) != std::string::npos)
      pattern += std::string("\\") + c;
    else
      pattern += c;
  }
  return std::regex(pattern);
}

class CompanionTrees : public ::testing::TestWithParam<Tree> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(zone_.Active()) << "needs TZ=" << test::kTestZone;
    const fs::path trees =
        test::Utf8Path(test::FromBuild(STAMPEL_MEDIA_DIR)) / "trees" / GetParam().name;
    fs::copy(trees, test::Utf8Path(in()), fs::copy_options::recursive);
    fs::create_directories(test::Utf8Path(out()));
    before_ = Files(in());
    snapshot_ = test::Snapshot(in());
  }

  std::string in() const { return dir_ / "in"; }
  std::string out() const { return dir_ / "out"; }
  std::string Pattern() const { return in() + kSeparator + GetParam().pattern; }
  // /R /D /N with the format that sorts into year and month folders below out().
  void SortOptions(test::TestRun& run) const {
    run.options.Recurse = run.options.DropOldName = run.options.UseCounter = true;
    run.options.DatesFromElsewhere = GetParam().elsewhere;
    run.options.Format = test::QuotedFolder(out()) + "\\yyyy\\mm\\yyyymmdd_";
  }

  // Each file of the tree is where its row says, with its own bytes (copies leave the
  // sources as they were); the files of a group share one number, groups never do, and
  // nothing else arrived.
  void ExpectPlaced(bool copied) {
    const std::map<std::string, std::string> nowIn = Files(in());
    const std::map<std::string, std::string> nowOut = Files(out());
    std::map<char, std::string> numbers;
    std::set<std::string> arrived;
    for (const Placed& file : GetParam().files) {
      SCOPED_TRACE(file.source);
      const std::string& bytes = before_.at(file.source);
      const auto source = nowIn.find(file.source);
      if (file.target == nullptr || copied) {
        ASSERT_NE(nowIn.end(), source) << "the source stays";
        EXPECT_EQ(bytes, source->second);
        if (file.target == nullptr) continue;
      } else {
        EXPECT_EQ(nowIn.end(), source) << "the source has moved";
      }
      const std::regex pattern = TargetPattern(file.target);
      std::vector<std::pair<std::string, std::string>> hits;  // name, number
      for (const auto& [name, content] : nowOut) {
        std::smatch match;
        if (content == bytes && std::regex_match(name, match, pattern))
          hits.emplace_back(name, match[1]);
      }
      ASSERT_EQ(1u, hits.size()) << "arrived as " << file.target << " in " << NamesOf(nowOut);
      arrived.insert(hits[0].first);
      const auto [known, fresh] = numbers.emplace(file.group, hits[0].second);
      EXPECT_EQ(known->second, hits[0].second) << "its group's number";
    }
    std::set<std::string> distinct;
    for (const auto& [group, number] : numbers) distinct.insert(number);
    EXPECT_EQ(numbers.size(), distinct.size()) << "every group has a number of its own";
    EXPECT_EQ(arrived.size(), nowOut.size()) << NamesOf(nowOut);
  }

  test::ZoneScope zone_{test::kTestZone};
  test::SettingsSandbox settings_;
  test::TempDir dir_;
  std::map<std::string, std::string> before_;
  std::map<std::string, test::FileState> snapshot_;
};

}  // namespace

TEST_P(CompanionTrees, SortedIntoFoldersWhatTheListShowsAndTheUndoTakesBack) {
  test::TestRun run;
  SortOptions(run);
  run.PreviewRename({Pattern()});
  const std::vector<std::string> listed = run.sink.Texts();
  EXPECT_EQ(snapshot_, test::Snapshot(in())) << "the list changes nothing";
  EXPECT_TRUE(Files(out()).empty());
  run.sink.lines.clear();
  run.counter = 0;
  const tRunResult& result = run.RunRename({Pattern()});
  EXPECT_EQ(0, result.Problems());
  EXPECT_EQ(listed, run.sink.Texts());
  ExpectPlaced(false);
  // A file dated from elsewhere says so in its line.
  for (const Placed& file : GetParam().files) {
    if (file.target == nullptr) continue;
    const std::string from = file.from != nullptr ? file.from : "";
    const std::string start = in() + kSeparator + file.source + " -> ";
    int lines = 0;
    for (const auto& line : run.sink.lines) {
      std::string text = line.text.substr(line.text.find(": ") + 2);
      std::replace(text.begin(), text.end(), '\\', '/');
      std::string wanted = start;
      std::replace(wanted.begin(), wanted.end(), '\\', '/');
      if (line.kind != tRunEventKind::Transferring || text.rfind(wanted, 0) != 0) continue;
      ++lines;
      EXPECT_EQ(from, text.substr(text.size() - std::min(text.size(), from.size())))
          << text << " ends as its date's source says";
      if (from.empty()) {
        EXPECT_EQ(std::string::npos, text.find(" (date from")) << text;
      }
    }
    EXPECT_EQ(1, lines) << file.source;
  }
  const tUndoResult undone = run.UndoRun(run.LastRunJournal());
  EXPECT_EQ(0, undone.Refused);
  EXPECT_EQ(snapshot_, test::Snapshot(in()));
  EXPECT_TRUE(Files(out()).empty());
}

// /C copies every group whole; a second copy with /Y replaces the first one's files
// under the same names.
TEST_P(CompanionTrees, CopiedWholeAndCopiedAgainOverTheFirstCopy) {
  test::TestRun run;
  SortOptions(run);
  run.options.CopyFiles = true;
  run.RunRename({Pattern()});
  ExpectPlaced(true);
  const std::map<std::string, std::string> first = Files(out());
  run.counter = 0;
  run.options.Overwrite = true;
  const tRunResult& again = run.RunRename({Pattern()});
  EXPECT_EQ(0, again.Problems());
  EXPECT_EQ(static_cast<int32_t>(first.size()), again.Transferred);
  EXPECT_EQ(first, Files(out()));
  ExpectPlaced(true);
}

// The command a user types, started in the folder that receives the year folders.
TEST_P(CompanionTrees, TheProgramSortsTheTreeTheSameWay) {
  std::vector<std::string> arguments = {"/R", "/D", "/N", "/F:yyyy\\mm\\yyyymmdd_", Pattern()};
  if (GetParam().elsewhere) arguments.push_back("/e");
  ASSERT_EQ(0, test::RunProgram(arguments, out()));
  ExpectPlaced(false);
}

INSTANTIATE_TEST_SUITE_P(Undated, CompanionTrees, ::testing::Values(kUndatedTakeout),
                         [](const testing::TestParamInfo<Tree>&) { return "takeout"; });
INSTANTIATE_TEST_SUITE_P(Trees, CompanionTrees, ::testing::ValuesIn(kTrees),
                         [](const testing::TestParamInfo<Tree>& info) {
                           return info.param.name + std::string("_") + std::to_string(info.index);
                         });

// Copied a second time without /Y, every group takes the first variant of its names
// that is free for all of its files, and the sidecars follow their files' variants.
TEST(CompanionTreeVariants, ASecondCopyOfTheCardTakesOneFreeVariantPerGroup) {
  test::ZoneScope zone(test::kTestZone);
  ASSERT_TRUE(zone.Active());
  test::SettingsSandbox settings;
  test::TempDir dir;
  fs::copy(
      test::Utf8Path(test::FromBuild(STAMPEL_MEDIA_DIR)) / "trees" / "camera" / "DCIM" / "100CANON",
      test::Utf8Path(dir / "card"));
  test::TestRun run;
  run.options.DropOldName = run.options.UseCounter = run.options.CopyFiles = true;
  run.options.Format = test::QuotedFolder(dir / "out") + "\\yyyymmdd_";
  const std::string pattern = dir / ("card" + kSeparator + "IMG_0001.*");
  run.RunRename({pattern});
  run.counter = 0;
  run.RunRename({pattern});
  std::vector<std::string> names;
  for (const auto& [name, bytes] : Files(dir / "out")) names.push_back(name);
  EXPECT_EQ(
      (std::vector<std::string>{"20230501_001.CR2", "20230501_001.CR2.pp3", "20230501_001.CR2.xmp",
                                "20230501_001.CR2_1.CR2", "20230501_001.CR2_1.CR2.pp3",
                                "20230501_001.CR2_1.CR2.xmp", "20230501_001.CR2_1.xmp",
                                "20230501_001.JPG", "20230501_001.JPG_1.JPG", "20230501_001.xmp"}),
      names);
}
