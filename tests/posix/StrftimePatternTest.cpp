#include <gtest/gtest.h>

#include "platform/posix/StrftimePattern.h"

using platform::posix::ClockStyle;
using platform::posix::ClockStyleOf;
using platform::posix::DatePatternOf;
using platform::posix::DateSeparatorOf;
using platform::posix::StrftimePatterns;
using platform::posix::TimeSeparatorOf;

namespace {

// The LC_TIME patterns of some glibc locales.
const StrftimePatterns kC = {"%m/%d/%y", "%a %b %e %H:%M:%S %Y", "%H:%M:%S", "%I:%M:%S %p"};
const StrftimePatterns kUnitedStates = {"%m/%d/%Y", "%a %d %b %Y %r %Z", "%r", "%I:%M:%S %p"};
const StrftimePatterns kGermany = {"%d.%m.%Y", "%a %d %b %Y %T %Z", "%T", ""};
const StrftimePatterns kFinland = {"%d.%m.%Y", "%a %e. %Bta %Y %H.%M.%S", "%H.%M.%S", ""};
const StrftimePatterns kJapan = {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5",
                                 "%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5 %H\xE6\x99\x82%M"
                                 "\xE5\x88\x86%S\xE7\xA7\x92",
                                 "%H\xE6\x99\x82%M\xE5\x88\x86%S\xE7\xA7\x92",
                                 "%p%I\xE6\x99\x82%M\xE5\x88\x86%S\xE7\xA7\x92"};
const StrftimePatterns kKorea = {"%Y. %m. %d", "%x (%a) %r", "%H\xEC\x8B\x9C %M\xEB\xB6\x84",
                                 "%p %I\xEC\x8B\x9C %M\xEB\xB6\x84 %S\xEC\xB4\x88"};

}  // namespace

TEST(StrftimePattern, ShortAndLongDatesOfRealLocales) {
  struct Case {
    const char* name;
    const StrftimePatterns* patterns;
    const char* shortDate;
    const char* longDate;
  };
  const Case cases[] = {
      {"C", &kC, "mm/dd/yy", "ddd mmm d yyyy"},
      {"en_US", &kUnitedStates, "mm/dd/yyyy", "ddd dd mmm yyyy"},
      {"de_DE", &kGermany, "dd.mm.yyyy", "ddd dd mmm yyyy"},
      {"fi_FI", &kFinland, "dd.mm.yyyy", "ddd d. mmmm\"ta \"yyyy"},
      {"ja_JP", &kJapan,
       "yyyy\xE5\xB9\xB4mm\xE6\x9C\x88"
       "dd\xE6\x97\xA5",
       "yyyy\xE5\xB9\xB4mm\xE6\x9C\x88"
       "dd\xE6\x97\xA5"},
      {"ko_KR", &kKorea, "yyyy. mm. dd", "yyyy. mm. dd (ddd)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.shortDate, DatePatternOf(c.patterns->date, *c.patterns).value_or("(none)"));
    EXPECT_EQ(c.longDate, DatePatternOf(c.patterns->dateTime, *c.patterns).value_or("(none)"));
  }
}

TEST(StrftimePattern, ConversionsAndLiteralText) {
  struct Case {
    const char* pattern;
    const char* expected;
  };
  const Case cases[] = {
      {"%d.%m.%Y", "dd.mm.yyyy"},
      {"%-d.%-m.%y", "d.m.yy"},
      {"%_d %e %0d", "d d dd"},
      {"%A, %B %d, %Y", "dddd, mmmm dd, yyyy"},
      {"%a %b %h", "ddd mmm mmm"},
      {"%Ey %EY %Od", "yy yyyy dd"},
      {"%F", "yyyy-mm-dd"},
      {"%G-%g", "yyyy-yy"},
      // Letters, quote characters and foreign separators are quoted.
      {"%d de %B de %Y", "dd \"de \"mmmm \"de \"yyyy"},
      {"%d'%m", "dd\"'\"mm"},
      {"%d\"%m", "dd'\"'mm"},
      {"%d'\"%m", "dd\"'\"'\"'mm"},
      {"%d:%m", "dd:mm"},  // the colon is the C locale's time separator
      {"%%%d%%", "%dd%"},
      {"%d%n%m%t%Y", "dd mm yyyy"},
      // One run of letters would make one specifier: an empty quote keeps two apart.
      {"%d%d", "dd\"\"dd"},
      {"%m%b", "mm\"\"mmm"},
      // Conversions that are no part of a date go with the text that joins them.
      {"%H:%M %d.%m.%Y", "dd.mm.yyyy"},
      {"%d.%m.%Y, %H:%M Uhr", "dd.mm.yyyy,"},
      {"%Y-%m-%d %j %U", "yyyy-mm-dd"},
      {"%d %H:%M %m", "dd mm"},
      {"%d%H%m", "ddmm"},
      {"%c", "ddd mmm d yyyy"},
      {"%x", "mm/dd/yy"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(c.expected, DatePatternOf(c.pattern, kC).value_or("(none)"));
  }
  EXPECT_FALSE(DatePatternOf("%H:%M:%S", kC));
  EXPECT_FALSE(DatePatternOf("", kC));
  EXPECT_FALSE(DatePatternOf("no date", kC));
}

TEST(StrftimePattern, SlashStaysTheSeparatorOnlyWhenItIsOne) {
  const StrftimePatterns dotted = {"%d.%m.%Y", "%d.%m.%Y %H:%M", "%H.%M", ""};
  EXPECT_EQ("dd.mm.yyyy \"/ \"mm\":\"yy", DatePatternOf("%d.%m.%Y / %m:%y", dotted).value());
  EXPECT_EQ("mm\"/\"dd\"/\"yy", DatePatternOf("%D", dotted).value());
  EXPECT_EQ("mm/dd/yy", DatePatternOf("%D", kC).value());
}

TEST(StrftimePattern, Separators) {
  EXPECT_EQ("/", DateSeparatorOf(kC).value_or("(none)"));
  EXPECT_EQ(".", DateSeparatorOf(kGermany).value_or("(none)"));
  EXPECT_EQ(". ", DateSeparatorOf(kKorea).value_or("(none)"));
  EXPECT_EQ(":", TimeSeparatorOf(kC).value_or("(none)"));
  EXPECT_EQ(":", TimeSeparatorOf(kGermany).value_or("(none)"));
  EXPECT_EQ(":", TimeSeparatorOf(kUnitedStates).value_or("(none)"));
  EXPECT_EQ(".", TimeSeparatorOf(kFinland).value_or("(none)"));
  // Different text after year and month: no single separator.
  EXPECT_FALSE(DateSeparatorOf(kJapan));
  EXPECT_FALSE(TimeSeparatorOf(kJapan));
  // Numbers written together have an empty separator; fewer than two have none.
  EXPECT_EQ("", DateSeparatorOf({"%Y%m%d", "", "%H%M", ""}).value_or("(none)"));
  EXPECT_EQ("", TimeSeparatorOf({"%Y%m%d", "", "%H%M", ""}).value_or("(none)"));
  EXPECT_FALSE(DateSeparatorOf({"%d %B %Y", "", "%H", ""}));
  EXPECT_FALSE(TimeSeparatorOf({"%d %B %Y", "", "%H", ""}));
  EXPECT_FALSE(DateSeparatorOf({"", "", "", ""}));
}

TEST(StrftimePattern, ClockStyles) {
  struct Case {
    const char* name;
    StrftimePatterns patterns;
    bool leadingZero;
    bool twelveHour;
    bool markerFirst;
  };
  const Case cases[] = {
      {"C", kC, true, false, false},
      {"en_US", kUnitedStates, true, true, false},
      {"de_DE", kGermany, true, false, false},
      {"ja_JP", {"", "", "%p%I:%M", ""}, true, true, true},
      {"%k", {"", "", "%k:%M", ""}, false, false, false},
      {"%l %p", {"", "", "%l:%M %p", ""}, false, true, false},
      {"%-H", {"", "", "%-H.%M", ""}, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<ClockStyle> clock = ClockStyleOf(c.patterns);
    ASSERT_TRUE(clock);
    EXPECT_EQ(c.leadingZero, clock->leadingZero);
    EXPECT_EQ(c.twelveHour, clock->twelveHour);
    EXPECT_EQ(c.markerFirst, clock->markerBeforeTime);
  }
  EXPECT_FALSE(ClockStyleOf({"%d", "", "", ""}));
  // A time pattern that names itself holds no hour.
  EXPECT_FALSE(ClockStyleOf({"", "", "%X", ""}));
}
