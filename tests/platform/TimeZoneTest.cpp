#include <gtest/gtest.h>

#include "platform/TimeZone.h"
#include "tests/support/ZoneScope.h"

namespace {

TDateTime At(int year, int month, int day, int hour, int minute, int second) {
  return platform::EncodeDateTime({year, month, day, hour, minute, second, 0});
}

}  // namespace

TEST(TimeZone, LocalTimeFollowsTheRulesOfThatDate) {
  test::ZoneScope zone(test::kTestZone);
  ASSERT_TRUE(zone.Active()) << "needs TZ=" << test::kTestZone;
  const struct {
    const char* name;
    TDateTime utc, local;
  } cases[] = {
      {"winter", At(2024, 1, 15, 12, 0, 0), At(2024, 1, 15, 7, 0, 0)},
      {"summer", At(2024, 7, 15, 12, 0, 0), At(2024, 7, 15, 8, 0, 0)},
      {"the day before", At(2024, 3, 3, 2, 30, 0), At(2024, 3, 2, 21, 30, 0)},
      {"last second of standard time", At(2024, 3, 10, 6, 59, 59), At(2024, 3, 10, 1, 59, 59)},
      {"first second of daylight time", At(2024, 3, 10, 7, 0, 0), At(2024, 3, 10, 3, 0, 0)},
      {"the repeated hour, first time", At(2024, 11, 3, 5, 30, 0), At(2024, 11, 3, 1, 30, 0)},
      {"the repeated hour, again", At(2024, 11, 3, 6, 30, 0), At(2024, 11, 3, 1, 30, 0)},
      // Daylight saving began in April until 2006 and in March from 2007 on.
      {"March 2006", At(2006, 3, 20, 12, 0, 0), At(2006, 3, 20, 7, 0, 0)},
      {"March 2007", At(2007, 3, 20, 12, 0, 0), At(2007, 3, 20, 8, 0, 0)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.local, platform::LocalFromUtc(c.utc)) << c.name;
}

TEST(TimeZone, NoDateStaysNoDate) { EXPECT_EQ(0, platform::LocalFromUtc(0)); }
