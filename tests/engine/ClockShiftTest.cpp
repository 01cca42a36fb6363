#include <gtest/gtest.h>

#include <string>

#include "engine/pass/ClockShift.h"

TEST(ClockShift, TheWrittenFormsAndWhatIsRefused) {
  constexpr int64_t kSecond = 1000, kMinute = 60 * kSecond, kHour = 60 * kMinute, kDay = 24 * kHour;
  const struct {
    const char* text;
    bool valid;
    int64_t milliseconds;
  } cases[] = {
      {"+1:00", true, kHour},
      {"-0:00:37", true, -37 * kSecond},
      {"+1.00:00", true, kDay},
      {"1:30", true, 90 * kMinute},
      {"-2.03:04:05", true, -(2 * kDay + 3 * kHour + 4 * kMinute + 5 * kSecond)},
      {"+23:59:59", true, kDay - kSecond},
      {"0:00", true, 0},
      {"+00:00:00", true, 0},
      {"", false, 0},
      {"abc", false, 0},
      {"+1", false, 0},          // no minutes
      {"1:5", false, 0},         // minutes take two digits
      {"1:60", false, 0},        // no such minute
      {"1:00:60", false, 0},     // no such second
      {"24:00", false, 0},       // days are written as days
      {"+1.00", false, 0},       // days and no time
      {"1:00:00:00", false, 0},  // one part too many
      {"+-1:00", false, 0},
      {"1:00 ", false, 0},
      {"123:00", false, 0},
      {"999999.00:00", false, 0},
  };
  for (const auto& c : cases) {
    int64_t milliseconds = -1;
    std::string reason;
    EXPECT_EQ(c.valid, ParseClockShift(c.text, milliseconds, reason)) << '"' << c.text << '"';
    if (c.valid)
      EXPECT_EQ(c.milliseconds, milliseconds) << c.text;
    else
      EXPECT_FALSE(reason.empty()) << c.text;
  }
}
