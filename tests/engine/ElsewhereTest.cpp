// Dates for files that hold none (/E: Takeout's JSON, the name; /M: the file time) and the
// clock shift (/Z) of every date, as the rename pass applies them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/pass/ClockShift.h"
#include "platform/Errors.h"
#include "platform/FaultyFileSystem.h"
#include "platform/FileOperations.h"
#include "platform/FileTimes.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/Photos.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"
#include "tests/support/ZoneScope.h"

namespace {

// A JPEG without any Exif, as messengers send them.
std::string BareJpeg() { return test::JpegFile(test::JpegSegment(0xE0, std::string("JFIF\0", 5))); }

std::string Json(const std::string& seconds) {
  return R"({"title": "x", "photoTakenTime": {"timestamp": ")" + seconds + R"("}})";
}

// The modification time: 2023-06-01 16:00:00 UTC, 12:00 in New York's summer time.
const int64_t kModified = (platform::DaysFromCivil(2023, 6, 1) * 86400 + 16 * 3600) * 1000000000LL;

struct ElsewhereCase {
  const char* what;
  std::string name;
  std::string bytes;
  std::string json;  // beside it as name + ".json", when not empty
  bool e, m;         // /E, /M
  std::string line;  // what follows "Stampel 1: <folder>" in its line; {} stands for the folder
};

class Elsewhere : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(zone.Active()); }
  test::ZoneScope zone{test::kTestZone};
  test::SettingsSandbox settings;
};

}  // namespace

TEST_F(Elsewhere, EachSourceInItsTurnAndOnlyForFilesWithoutADate) {
  const ElsewhereCase cases[] = {
      {"the name", "IMG-20230101-WA0001.jpg", BareJpeg(), "", true, false,
       "IMG-20230101-WA0001.jpg -> {}20230101_000000_IMG-20230101-WA0001.jpg (date from the file "
       "name)"},
      {"the JSON before the name (2023-06-01 16:00 UTC)", "IMG_20230101_120000.jpg", BareJpeg(),
       Json("1685635200"), true, false,
       "IMG_20230101_120000.jpg -> {}20230601_120000_IMG_20230101_120000.jpg (date from the "
       "Takeout JSON)"},
      {"a JSON of 0, then the name", "IMG_20230101_120000.jpg", BareJpeg(), Json("0"), true, false,
       "IMG_20230101_120000.jpg -> {}20230101_120000_IMG_20230101_120000.jpg (date from the file "
       "name)"},
      {"the name before the file time", "Screenshot_20230102-030405.png", BareJpeg(), "", true,
       true,
       "Screenshot_20230102-030405.png -> {}20230102_030405_Screenshot_20230102-030405.png (date "
       "from "
       "the file name)"},
      {"the file time last", "scan.jpg", BareJpeg(), "", true, true,
       "scan.jpg -> {}20230601_120000_scan.jpg (date from the file time)"},
      {"the file time alone", "IMG-20230101-WA0001.jpg", BareJpeg(), "", false, true,
       "IMG-20230101-WA0001.jpg -> {}20230601_120000_IMG-20230101-WA0001.jpg (date from the file "
       "time)"},
      {"Exif without a date: the name", "IMG_20230303_101010.jpg", test::Photo({"", "", "Cam"}), "",
       true, false,
       "IMG_20230303_101010.jpg -> {}20230303_101010_IMG_20230303_101010.jpg (date from the file "
       "name)"},
      {"the embedded date wins", "IMG_20230101_120000.jpg", test::Photo({"2004:05:06 07:08:09"}),
       Json("1685635200"), true, true,
       "IMG_20230101_120000.jpg -> {}20040506_070809_IMG_20230101_120000.jpg"},
      {"without /E or /M as before", "IMG-20230101-WA0001.jpg", BareJpeg(), "", false, false,
       "IMG-20230101-WA0001.jpg -> no Exif information available"},
      {"no date anywhere", "scan.jpg", BareJpeg(), "", true, false,
       "scan.jpg -> no Exif information available"},
      {"a file of no known kind is no picture", "IMG_20230101_120000.txt", "just text", "", true,
       true, "IMG_20230101_120000.txt -> no Exif information available"},
  };
  for (const ElsewhereCase& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir dir;
    test::WriteBytes(dir / c.name, c.bytes);
    ASSERT_TRUE(platform::SetExactFileTimes(dir / c.name, kModified, platform::kNoTime));
    if (!c.json.empty()) test::WriteBytes(dir / (c.name + ".json"), c.json);
    test::TestRun run;
    run.options.Format = "yyyymmdd_hhnnss_";
    run.options.DatesFromElsewhere = c.e;
    run.options.FileTimeLastResort = c.m;
    run.PreviewRename({dir / c.name});
    const std::vector<std::string> listed = run.sink.Texts();
    run.sink.lines.clear();
    run.RunRename({dir / c.name});
    ASSERT_FALSE(run.sink.lines.empty());
    std::string line = c.line;
    if (const size_t at = line.find("{}"); at != std::string::npos) line.replace(at, 2, dir.Path());
    EXPECT_EQ("Stampel 1: " + dir.Path() + line, run.sink.lines.front().text);
    EXPECT_EQ(listed, run.sink.Texts()) << "the list says the same";
  }
}

// A Takeout JSON that cannot be read is a read error: the picture is not named after
// its name instead.
TEST_F(Elsewhere, AnUnreadableJsonIsAReadErrorNotAMissingDate) {
  test::TempDir dir;
  test::WriteBytes(dir / "IMG_20230101_120000.jpg", BareJpeg());
  test::WriteBytes(dir / "IMG_20230101_120000.jpg.json", Json("1685635200"));
  platform::FaultyFileSystem files;
  files.FailReadsAt("IMG_20230101_120000.jpg.json", 0,
                    platform::SystemCode(platform::KnownError::InputOutput));
  test::TestRun run(files);
  run.options.DatesFromElsewhere = true;
  run.options.Companions = false;
  const tRunResult& result = run.RunRename({dir / "*.jpg"});
  EXPECT_EQ(1, result.Count(tRunEventKind::CouldNotRead));
  EXPECT_EQ(0, result.Transferred);
  EXPECT_TRUE(test::Exists(dir / "IMG_20230101_120000.jpg"));
}

// The shift moves every date before it names the file and before /T stamps it: over a
// day, a month and a year end, into and out of a leap day, across both daylight-saving
// changes of New York, backwards and by days; dates from elsewhere move too.
TEST_F(Elsewhere, TheClockShiftMovesNamesAndStampsAlike) {
  const struct {
    const char* taken;
    const char* shift;
    const char* name;
    TDateTime stamped;  // the local time the file's times must hold
  } cases[] = {
      {"2023:12:31 23:30:00", "+1:00", "20240101_003000", 45292 + 0.5 / 24},
      {"2023:03:31 22:00:00", "+2:00", "20230401_000000", 45017},
      {"2024:02:28 23:00:00", "+1:00", "20240229_000000", 45351},
      {"2024:03:01 00:10:00", "-0:20", "20240229_235000", 45351 + (23 + 50.0 / 60) / 24},
      {"2023:03:12 00:30:00", "+3:00", "20230312_033000", 44997 + 3.5 / 24},  // into summer
      {"2023:11:04 23:30:00", "+3:00", "20231105_023000", 45235 + 2.5 / 24},  // into winter
      {"2023:01:01 00:00:10", "-0:00:37", "20221231_235933", 44927 - 27.0 / 86400},
      {"2023:02:28 12:00:00", "+1.00:00", "20230301_120000", 44986.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.taken) + " " + c.shift);
    test::TempDir dir;
    test::WriteBytes(dir / "IMG_1.JPG", test::Photo({c.taken}));
    test::TestRun run;
    run.options.Format = "yyyymmdd_hhnnss";
    run.options.DropOldName = run.options.SetFileStamp = true;
    std::string reason;
    ASSERT_TRUE(ParseClockShift(c.shift, run.options.ClockShift, reason)) << reason;
    run.RunRename({dir / "IMG_1.JPG"});
    const std::string renamed = dir / (std::string(c.name) + ".JPG");
    ASSERT_TRUE(test::Exists(renamed)) << run.sink.Texts().front();
    platform::FileFacts facts;
    ASSERT_TRUE(platform::ReadFileFacts(renamed, facts));
    EXPECT_EQ(platform::StampedTime(c.stamped), facts.modified);
  }
  // A date from the name moves as well.
  test::TempDir dir;
  test::WriteBytes(dir / "IMG-20230101-WA0001.jpg", BareJpeg());
  test::TestRun run;
  run.options.Format = "yyyymmdd_hhnnss";
  run.options.DropOldName = run.options.DatesFromElsewhere = true;
  run.options.ClockShift = -60 * 60 * 1000;
  run.RunRename({dir / "*.jpg"});
  EXPECT_TRUE(test::Exists(dir / "20221231_230000.jpg")) << run.sink.Texts().front();
}
