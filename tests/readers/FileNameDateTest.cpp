// Dates in file names: every pattern with what it must read, and the names that only look
// like dates.

#include <gtest/gtest.h>

#include <string>

#include "platform/DateTime.h"
#include "readers/FileNameDate.h"
#include "tests/support/MomentText.h"
#include "tests/support/ZoneScope.h"

TEST(FileNameDate, EveryPatternAndTheNamesThatOnlyLookLikeDates) {
  test::ZoneScope zone(test::kTestZone);  // UTC names are shown in New York's time
  ASSERT_TRUE(zone.Active());
  // "A day after now", as the run gives it: here 2026-12-10 00:00.
  const TDateTime latest = platform::EncodeDateTime({2026, 12, 10, 0, 0, 0, 0});
  const struct {
    const char* name;
    const char* moment;
  } cases[] = {
      {"IMG_20230101_120000.jpg", "2023-01-01 12:00:00.000"},
      {"img_20230101_120000_HDR.jpg", "2023-01-01 12:00:00.000"},
      {"VID_20230715_083000.mp4", "2023-07-15 08:30:00.000"},
      {"PXL_20230101_120000123.jpg", "2023-01-01 07:00:00.123"},     // UTC, winter
      {"PXL_20230715_120000456.MP.jpg", "2023-07-15 08:00:00.456"},  // UTC, summer
      {"20230101_120000.jpg", "2023-01-01 12:00:00.000"},
      {"20230101_120000_123.jpg", "2023-01-01 12:00:00.000"},  // a burst's number
      {"IMG-20230101-WA0001.jpg", "2023-01-01 00:00:00.000"},
      {"VID-20230102-WA0002.mp4", "2023-01-02 00:00:00.000"},
      {"Screenshot_2023-01-01-12-00-00.png", "2023-01-01 12:00:00.000"},
      {"Screenshot_20230101-120000_Chrome.png", "2023-01-01 12:00:00.000"},
      {"Screenshot 2023-01-01 at 12.00.00.png", "2023-01-01 12:00:00.000"},
      {"Screen Shot 2019-05-06 at 07.08.09.png", "2019-05-06 07:08:09.000"},
      {"signal-2023-01-01-120000.jpg", "2023-01-01 12:00:00.000"},
      {"signal-2023-01-01-120000_001.jpg", "2023-01-01 12:00:00.000"},
      {"photo_2023-01-01_12-00-00.jpg", "2023-01-01 12:00:00.000"},
      {"FB_IMG_1672574400000.jpg", "2023-01-01 07:00:00.000"},  // UTC milliseconds
      {"2023-01-01 12.00.00.jpg", "2023-01-01 12:00:00.000"},
      {"2023-01-01_12-00-00.jpg", "2023-01-01 12:00:00.000"},
      {"IMG_20240229_235959", "2024-02-29 23:59:59.000"},      // a leap day, no extension
      {"IMG_20261209_120000.jpg", "2026-12-09 12:00:00.000"},  // today
      // Near misses.
      {"IMG_20231301_120000.jpg", "none"},   // month 13
      {"IMG_20230229_120000.jpg", "none"},   // no leap year
      {"IMG_20230101_250000.jpg", "none"},   // hour 25
      {"IMG_20230101_126000.jpg", "none"},   // minute 60
      {"IMG_12345678.jpg", "none"},          // a serial number
      {"12345678_123456.jpg", "none"},       // digits in a date's places, year 1234
      {"19891231_235959.jpg", "none"},       // before 1990
      {"20991231_120000.jpg", "none"},       // the year 2099
      {"IMG_20261211_000000.jpg", "none"},   // more than a day after now
      {"IMG_20230101_1200001.jpg", "none"},  // the number runs on
      {"IMG_20230101_12000.jpg", "none"},    // too short
      {"DSC_20230101_120000.jpg", "none"},   // no pattern of ours
      {"IMG-20230101-XX0001.jpg", "none"},
      {"Screenshot_2023-01-01-12-00.png", "none"},
      {"FB_IMG_16725744000001.jpg", "none"},  // 14 digits
      {"FB_IMG_0000000000001.jpg", "none"},   // 1970
      {"2023-01-01 12.00.jpg", "none"},
      {"", "none"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.moment, test::MomentText(DateFromFileName(c.name, latest))) << c.name;
}
