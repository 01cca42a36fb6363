#include "platform/DateTime.h"

#include <gtest/gtest.h>

using platform::CalendarTime;
using platform::DecodeDateTime;
using platform::EncodeDateTime;

namespace {

CalendarTime Parts(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  CalendarTime parts;
  parts.year = y;
  parts.month = mo;
  parts.day = d;
  parts.hour = h;
  parts.minute = mi;
  parts.second = s;
  parts.millisecond = ms;
  return parts;
}

void ExpectParts(const CalendarTime& expected, const CalendarTime& actual) {
  EXPECT_EQ(expected.year, actual.year);
  EXPECT_EQ(expected.month, actual.month);
  EXPECT_EQ(expected.day, actual.day);
  EXPECT_EQ(expected.hour, actual.hour);
  EXPECT_EQ(expected.minute, actual.minute);
  EXPECT_EQ(expected.second, actual.second);
  EXPECT_EQ(expected.millisecond, actual.millisecond);
}

}  // namespace

TEST(DateTime, KnownDayNumbers) {
  EXPECT_EQ(0.0, EncodeDateTime(Parts(1899, 12, 30)));
  EXPECT_EQ(1.0, EncodeDateTime(Parts(1899, 12, 31)));
  EXPECT_EQ(39614.0, EncodeDateTime(Parts(2008, 6, 15)));
  EXPECT_EQ(-693593.0, EncodeDateTime(Parts(1, 1, 1)));
  EXPECT_EQ(2958465.0, EncodeDateTime(Parts(9999, 12, 31)));
}

TEST(DateTime, RejectsImpossibleDates) {
  TDateTime value = 5;
  EXPECT_FALSE(platform::TryEncodeDate(2007, 2, 29, value));
  EXPECT_TRUE(platform::TryEncodeDate(2008, 2, 29, value));
  EXPECT_FALSE(platform::TryEncodeDate(1900, 2, 29, value));
  EXPECT_TRUE(platform::TryEncodeDate(2000, 2, 29, value));
  EXPECT_FALSE(platform::TryEncodeDate(0, 1, 1, value));
  EXPECT_FALSE(platform::TryEncodeDate(10000, 1, 1, value));
  EXPECT_FALSE(platform::TryEncodeDate(2008, 13, 1, value));
  EXPECT_FALSE(platform::TryEncodeDate(2008, 4, 31, value));
  EXPECT_FALSE(platform::TryEncodeTime(24, 0, 0, 0, value));
  EXPECT_FALSE(platform::TryEncodeTime(0, 60, 0, 0, value));
  EXPECT_FALSE(platform::TryEncodeTime(0, 0, 60, 0, value));
  EXPECT_FALSE(platform::TryEncodeTime(0, 0, 0, 1000, value));
}

TEST(DateTime, DecodeInvertsEncodeOverTheWholeRange) {
  // Every 997th day from 0001-01-01 to 9999-12-31, each with a different time of day.
  for (int32_t day = -693592; day <= 2958465; day += 997) {
    const int ms = (day % 86400 + 86400) % 86400 * 997 % 86400000;
    const CalendarTime parts = DecodeDateTime(day >= 0 ? day + ms / 86400000.0 : day - ms / 86400000.0);
    ASSERT_EQ(day >= 0 ? day + ms / 86400000.0 : day - ms / 86400000.0, EncodeDateTime(parts))
        << parts.year << "-" << parts.month << "-" << parts.day;
  }
}

TEST(DateTime, DecodesCalendarParts) {
  ExpectParts(Parts(2008, 6, 15, 14, 5, 9, 7), DecodeDateTime(EncodeDateTime(Parts(2008, 6, 15, 14, 5, 9, 7))));
  ExpectParts(Parts(2000, 2, 29, 23, 59, 59, 999), DecodeDateTime(EncodeDateTime(Parts(2000, 2, 29, 23, 59, 59, 999))));
  ExpectParts(Parts(1899, 12, 29, 12), DecodeDateTime(-1.5));
}

TEST(DateTime, RoundsToTheMillisecondIntoTheNextDay) {
  const TDateTime almostMidnight = EncodeDateTime(Parts(2008, 6, 15)) + 86399999.6 / 86400000.0;
  ExpectParts(Parts(2008, 6, 16), DecodeDateTime(almostMidnight));
}
