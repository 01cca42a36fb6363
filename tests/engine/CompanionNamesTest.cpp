#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "engine/group/CompanionNames.h"
#include "engine/group/FolderGroups.h"
#include "engine/group/Grouping.h"

namespace {

// The companions of `file` in a folder of `names`, as "name tie tail" lines, sorted.
std::vector<std::string> CompanionsIn(const std::vector<std::string>& names,
                                      const std::string& file) {
  const tFolderNames folder(names);
  std::vector<std::string> found;
  for (const tCompanionName& c : folder.CompanionsOf(folder.Find(file))) {
    const char* tie = c.Tie == tTie::FullName   ? "full"
                      : c.Tie == tTie::BaseName ? "base"
                                                : "takeout";
    found.push_back(folder.Name(c.File) + " " + tie + " " + c.Tail);
  }
  std::sort(found.begin(), found.end());
  return found;
}

struct CompanionCase {
  const char* what;
  std::vector<std::string> folder;
  std::string file;
  std::vector<std::string> expected;
};

void PrintTo(const CompanionCase& c, std::ostream* out) { *out << c.what; }

class CompanionNames : public ::testing::TestWithParam<CompanionCase> {};

TEST_P(CompanionNames, AFileFindsExactlyTheNamesThatBelongToIt) {
  const CompanionCase& c = GetParam();
  EXPECT_EQ(c.expected, CompanionsIn(c.folder, c.file)) << c.what;
}

const CompanionCase kCompanionCases[] = {
    {"editors' sidecars by the whole name and by the base, letter case aside",
     {"IMG_1.CR2", "IMG_1.CR2.xmp", "IMG_1.xmp", "img_1.cr2.PP3", "IMG_1.CR2.dop", "IMG_1.JPG"},
     "IMG_1.CR2",
     {"IMG_1.CR2.dop full .dop", "IMG_1.CR2.xmp full .xmp", "IMG_1.xmp base .xmp",
      "img_1.cr2.PP3 full .PP3"}},
    {"a neighbour's sidecar is not this file's",
     {"IMG_1.JPG", "IMG_10.xmp", "IMG_1.JPG.xmp.bak", "IMG_1.JPG2.xmp", "IMG_1.CR2.xmp", "IMG_1"},
     "IMG_1.JPG",
     {}},
    {"Apple's edits, a thumbnail, Sony's clip XML",
     {"IMG_0001.HEIC", "IMG_0001.AAE", "C0001.MP4", "C0001M01.XML", "MVI_1.AVI", "MVI_1.THM"},
     "C0001.MP4",
     {"C0001M01.XML base M01.XML"}},
    {"Apple's edits",
     {"IMG_0001.HEIC", "IMG_0001.AAE"},
     "IMG_0001.HEIC",
     {"IMG_0001.AAE base .AAE"}},
    {"GoPro's low-resolution clip and thumbnail: GX",
     {"GX010373.MP4", "GL010373.LRV", "GX010373.THM", "GL010374.LRV"},
     "GX010373.MP4",
     {"GL010373.LRV base .LRV", "GX010373.THM base .THM"}},
    {"GoPro's low-resolution clip: GH",
     {"GH010373.MP4", "GL010373.LRV"},
     "GH010373.MP4",
     {"GL010373.LRV base .LRV"}},
    {"Takeout's JSON in its old and new forms",
     {"IMG_1.JPG", "IMG_1.JPG.json", "IMG_1.JPG.supplemental-metadata.json"},
     "IMG_1.JPG",
     {"IMG_1.JPG.json takeout .json", "IMG_1.JPG.supplemental-metadata.json takeout .json"}},
    {"Takeout's suffix cut short",
     {"IMG_1.JPG", "IMG_1.JPG.supplemental-metad.json"},
     "IMG_1.JPG",
     {"IMG_1.JPG.supplemental-metad.json takeout .json"}},
    {"Takeout's shortest suffix",
     {"IMG_1.JPG", "IMG_1.JPG.supp.json"},
     "IMG_1.JPG",
     {"IMG_1.JPG.supp.json takeout .json"}},
    {"a suffix that is no cut of Takeout's is not a Takeout JSON",
     {"IMG_1.JPG", "IMG_1.JPG.supper.json", "IMG_1.json"},
     "IMG_1.JPG",
     {}},
    {"a long name cut so that the JSON's name has 51 characters",
     {"PXL_20230101_120000123.PORTRAIT.ORIGINAL.jpg",
      "PXL_20230101_120000123.PORTRAIT.ORIGINAL.jpg.s.json"},
     "PXL_20230101_120000123.PORTRAIT.ORIGINAL.jpg",
     {"PXL_20230101_120000123.PORTRAIT.ORIGINAL.jpg.s.json takeout .json"}},
    {"a name cut inside itself",
     {"a_photo_with_a_name_far_too_long_for_takeout_2023.jpg",
      "a_photo_with_a_name_far_too_long_for_takeout_2.json"},
     "a_photo_with_a_name_far_too_long_for_takeout_2023.jpg",
     {"a_photo_with_a_name_far_too_long_for_takeout_2.json takeout .json"}},
    {"a cut JSON of another length is not one",
     {"a_photo_with_a_name_far_too_long_for_takeout_2023.jpg", "a_photo_with_a_name.json"},
     "a_photo_with_a_name_far_too_long_for_takeout_2023.jpg",
     {}},
    {"a duplicate's number moves before .json",
     {"IMG_1(1).JPG", "IMG_1.JPG(1).json", "IMG_1.JPG.supplemental-metadata(1).json",
      "IMG_1.JPG.json"},
     "IMG_1(1).JPG",
     {"IMG_1.JPG(1).json takeout .json", "IMG_1.JPG.supplemental-metadata(1).json takeout .json"}},
    {"the first of two files of one name keeps the JSON without a number",
     {"IMG_1(1).JPG", "IMG_1.JPG", "IMG_1.JPG(1).json", "IMG_1.JPG.json"},
     "IMG_1.JPG",
     {"IMG_1.JPG.json takeout .json"}},
    {"a companion has no companions of its own", {"IMG_1.xmp", "IMG_1.xmp.xmp"}, "IMG_1.xmp", {}},
};
INSTANTIATE_TEST_SUITE_P(Rules, CompanionNames, ::testing::ValuesIn(kCompanionCases));

TEST(CompanionNames, TheSameBaseIsFoundInAnyLetterCaseAndAmongManyFiles) {
  std::vector<std::string> names;
  for (int i = 0; i < 2000; ++i) names.push_back("DSC_" + std::to_string(i) + ".JPG");
  names.push_back("dsc_1234.nef");
  names.push_back("DSC_1234.JPG.xmp");  // its base is DSC_1234.JPG
  const tFolderNames folder(names);
  const std::vector<uint32_t> same = folder.SameBase(folder.Find("DSC_1234.JPG"));
  ASSERT_EQ(1u, same.size());
  EXPECT_EQ("dsc_1234.nef", folder.Name(same[0]));
  EXPECT_TRUE(folder.SameBase(folder.Find("DSC_999.JPG")).empty());
  EXPECT_EQ(tFolderNames::kNone, folder.Find("dsc_1234.jpg"));  // Find is exact
  EXPECT_TRUE(folder.AnyCompanions());
  EXPECT_FALSE(tFolderNames({"a.jpg", "b.nef"}).AnyCompanions());
}

// --- which files of one base are one shot -----------------------------------------

struct GroupCase {
  const char* what;
  std::vector<tShot> shots;
  std::vector<std::vector<std::string>> expected;  // each group's names, leader first
};

void PrintTo(const GroupCase& c, std::ostream* out) { *out << c.what; }

class Groups : public ::testing::TestWithParam<GroupCase> {};

constexpr double kSecond = 1.0 / 86400;
constexpr TDateTime kNoon = 45000.5;

TEST_P(Groups, TheFirstByKindLeadsTheFilesOfItsMoment) {
  const GroupCase& c = GetParam();
  std::vector<std::vector<std::string>> found;
  for (const std::vector<tShot>& group : FormGroups(c.shots)) {
    found.emplace_back();
    for (const tShot& shot : group) found.back().push_back(shot.Name);
  }
  EXPECT_EQ(c.expected, found) << c.what;
}

const int kRaw = LeaderRank(fkRAW1, "a.NEF");
const int kHeif = LeaderRank(fkHEIF, "a.HEIC");
const int kJpeg = LeaderRank(fkJPEG, "a.JPG");
const int kVideo = LeaderRank(fkMP4, "a.MOV");

const GroupCase kGroupCases[] = {
    {"RAW+JPEG: the raw leads, whatever the names' order",
     {{1, "IMG_1.JPG", kNoon, kJpeg}, {2, "IMG_1.NEF", kNoon + kSecond, kRaw}},
     {{"IMG_1.NEF", "IMG_1.JPG"}}},
    {"a Live Photo: the still leads its clip",
     {{1, "IMG_1.MOV", kNoon + 1.5 * kSecond, kVideo}, {2, "IMG_1.HEIC", kNoon, kHeif}},
     {{"IMG_1.HEIC", "IMG_1.MOV"}}},
    {"two cameras, one name: dates 3 s apart part them",
     {{1, "IMG_1.JPG", kNoon, kJpeg}, {2, "IMG_1.NEF", kNoon + 3 * kSecond, kRaw}},
     {{"IMG_1.NEF"}, {"IMG_1.JPG"}}},
    {"exactly 2 s still belong together",
     {{1, "IMG_1.JPG", kNoon + 2 * kSecond, kJpeg}, {2, "IMG_1.HEIC", kNoon, kHeif}},
     {{"IMG_1.HEIC", "IMG_1.JPG"}}},
    {"names that differ only in letter case never share a group",
     {{1, "photo.jpg", kNoon, kJpeg}, {2, "Photo.JPG", kNoon, kJpeg}},
     {{"Photo.JPG"}, {"photo.jpg"}}},
    {"a TIFF is a still, not a raw",
     {{1, "scan.tif", kNoon, LeaderRank(fkRAW0, "scan.tif")}, {2, "scan.jpg", kNoon, kJpeg}},
     {{"scan.jpg", "scan.tif"}}},
    {"the date is measured from the leader",
     {{1, "A.NEF", kNoon, kRaw},
      {2, "A.JPG", kNoon + 1.5 * kSecond, kJpeg},
      {3, "A.MOV", kNoon + 3 * kSecond, kVideo}},
     {{"A.NEF", "A.JPG"}, {"A.MOV"}}},
};
INSTANTIATE_TEST_SUITE_P(Rules, Groups, ::testing::ValuesIn(kGroupCases));

}  // namespace

// --- a folder's walk -------------------------------------------------------------------

namespace {

// A folder whose files have the given dates (0: none) and identifiers.
struct FakeFolder {
  std::map<std::string, TDateTime> dates;
  std::map<std::string, std::string> identifiers;
  const tFolderGroups* groups = nullptr;
  std::vector<std::string> looked;

  tLook Look(uint32_t file) {
    const std::string& name = groups->Names().Name(file);
    looked.push_back(name);
    tLook look;
    look.Moment = dates[name];
    look.Dated = look.Moment > 0;
    look.Rank = name.find(".MOV") != std::string::npos ? kVideo : kJpeg;
    return look;
  }
  std::string Identify(uint32_t file) { return identifiers[groups->Names().Name(file)]; }
};

std::vector<std::string> NamesOf(const tFolderGroups& groups, const std::vector<uint32_t>& files) {
  std::vector<std::string> names;
  for (uint32_t file : files) names.push_back(groups.Names().Name(file));
  return names;
}

}  // namespace

// What comes before its owner in the list waits for it; what no owner takes in the end
// goes on its own, as it would without companions.
TEST(FolderGroups, CompanionsAndRenamedClipsWaitForTheirOwners) {
  const std::vector<std::string> matched = {"IMG_9_HEVC.MOV", "IMG_1.AAE", "IMG_1.JPG",
                                            "IMG_2.AAE",      "IMG_2.JPG", "IMG_9.JPG"};
  tFolderGroups groups(matched, matched);
  FakeFolder folder;
  folder.groups = &groups;
  folder.dates = {{"IMG_1.JPG", kNoon}, {"IMG_9.JPG", kNoon}, {"IMG_9_HEVC.MOV", kNoon}};
  folder.identifiers = {{"IMG_9.JPG", "live"}, {"IMG_9_HEVC.MOV", "live"}};
  const auto look = [&](uint32_t file) { return folder.Look(file); };
  const auto identify = [&](uint32_t file) { return folder.Identify(file); };
  groups.FindLonelyClips(identify);

  EXPECT_TRUE(groups.Skip(0)) << "the clip waits for the still that names it";
  EXPECT_TRUE(groups.Skip(1)) << "an edit file waits for its photo";
  ASSERT_FALSE(groups.Skip(2));
  EXPECT_FALSE(groups.Alone(2));
  const tBasePlans first = groups.Plan(2, look, identify);
  ASSERT_EQ(1u, first.Groups.size());
  EXPECT_EQ((std::vector<std::string>{"IMG_1.JPG"}), NamesOf(groups, first.Groups[0].Mains));
  ASSERT_EQ(1u, first.Groups[0].Companions.size());
  EXPECT_EQ("IMG_1.AAE", groups.Names().Name(first.Groups[0].Companions[0].File));
  EXPECT_TRUE(groups.Skip(1)) << "taken now";

  // A photo without a date takes nothing along: its edit file goes on its own at the end.
  const tBasePlans second = groups.Plan(4, look, identify);
  EXPECT_TRUE(second.Groups.empty());
  EXPECT_EQ((std::vector<std::string>{"IMG_2.JPG"}), NamesOf(groups, second.Undated));

  const tBasePlans live = groups.Plan(5, look, identify);
  ASSERT_EQ(1u, live.Groups.size());
  EXPECT_EQ((std::vector<std::string>{"IMG_9.JPG", "IMG_9_HEVC.MOV"}),
            NamesOf(groups, live.Groups[0].Mains));
  EXPECT_EQ(std::vector<size_t>{3}, groups.Leftovers());
  EXPECT_FALSE(groups.Skip(3));
  EXPECT_TRUE(groups.Alone(3));
}

// Whether a file of the base has a date is asked only where it decides something: not at
// all in a folder where every file stands alone.
TEST(FolderGroups, AFolderWithoutCompanionsAsksNothing) {
  std::vector<std::string> matched;
  for (int i = 0; i < 100; ++i) matched.push_back("IMG_" + std::to_string(i) + ".JPG");
  std::vector<std::string> every = matched;
  every.push_back("notes.txt");
  tFolderGroups groups(every, matched);
  int asked = 0;
  groups.FindLonelyClips([&](uint32_t) {
    ++asked;
    return std::string();
  });
  for (size_t position = 0; position < matched.size(); ++position) {
    EXPECT_FALSE(groups.Skip(position));
    EXPECT_TRUE(groups.Alone(position));
  }
  EXPECT_EQ(0, asked);
  EXPECT_TRUE(groups.Leftovers().empty());
}
