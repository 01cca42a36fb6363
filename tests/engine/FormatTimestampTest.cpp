#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/format/FormatTimestamp.h"

namespace {

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
             int millisecond = 0) {
  platform::CalendarTime parts;
  parts.year = year;
  parts.month = month;
  parts.day = day;
  parts.hour = hour;
  parts.minute = minute;
  parts.second = second;
  parts.millisecond = millisecond;
  return platform::EncodeDateTime(parts);
}

// A Sunday afternoon.
const TDateTime kSample = At(2008, 6, 15, 14, 5, 9, 7);

// Settings unlike the built-in ones and unlike the machine's, so that every item read shows.
tLocaleFormats FixedLocale() {
  tLocaleFormats locale;
  locale.DateSep = "-";
  locale.TimeSep = ".";
  locale.ShortDatePattern = "yyyy/mm/dd";
  locale.LongDatePattern = "dddd, d. mmmm yyyy";
  locale.ShortTimePattern = "hh:mm";
  locale.LongTimePattern = "hh:mm:ss";
  locale.AmDesignator = "vorm.";
  locale.PmDesignator = "nachm.";
  locale.MonthAbbrevs = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  locale.MonthNames = {"January", "February", "March",     "April",   "May",      "June",
                       "July",    "August",   "September", "October", "November", "December"};
  locale.DayAbbrevs = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  locale.DayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return locale;
}

struct Case {
  std::string format;
  TDateTime value;
  std::string expected;
};

void ExpectAll(const std::vector<Case>& cases, const tLocaleFormats& locale) {
  for (const Case& c : cases) {
    SCOPED_TRACE("format \"" + c.format + "\"");
    EXPECT_EQ(c.expected, FormatTimestamp(c.format, c.value, locale));
  }
}

}  // namespace

TEST(FormatTimestamp, Table) {
  const TDateTime halfPastMidnight = At(2008, 6, 15, 0, 30);
  const TDateTime nineInTheMorning = At(2008, 6, 15, 9, 0, 0);
  const TDateTime noon = At(2008, 6, 15, 12, 0, 0);
  const TDateTime elevenAtNight = At(2008, 6, 15, 23, 0, 0);
  const std::vector<Case> cases = {
      // The stems users pick most.
      {"yyyy-mm-dd-hh-nn-ss_", kSample, "2008-06-15-14-05-09_"},
      {"yy-mm-dd-hh-nn-ss_", kSample, "08-06-15-14-05-09_"},
      {"yyyy-mm-dd_", kSample, "2008-06-15_"},
      {"hh-nn-ss_", kSample, "14-05-09_"},
      {"yyyymmdd_hhnnss_", kSample, "20080615_140509_"},
      {"yymmdd_hhnnss_", kSample, "080615_140509_"},
      {"yyyymmdd_", kSample, "20080615_"},
      {"hhnnss_", kSample, "140509_"},
      {"'Model'_", kSample, "Model_"},
      {"'Orient'_", kSample, "Orient_"},
      {"'Size'_", kSample, "Size_"},
      // Numbers and their widths.
      {"y-m-d", kSample, "08-6-15"},
      {"yyy", kSample, "2008"},
      {"yyyy", At(800, 3, 1), "0800"},
      {"yy", At(800, 3, 1), "00"},
      {"hhh:n:s", kSample, "14.5.9"},
      {"z", kSample, "7"},
      {"zz", kSample, "07"},
      {"zzz", kSample, "007"},
      {"zzzz", kSample, "007"},
      {"nnnn sss", kSample, "05 09"},
      // Months after hours are minutes, until another letter comes between.
      {"hh-mm", kSample, "14-05"},
      {"mm-hh", kSample, "06-14"},
      {"hh dd mm", kSample, "14 15 06"},
      {"hh'h'mm", kSample, "14h05"},
      {"hh:mm", kSample, "14.05"},
      {"hxm", kSample, "14x6"},
      // A run is one specifier only while the same character repeats, case included.
      {"yyyyyy", kSample, "2008"},
      {"YyYy", kSample, "08080808"},
      {"mM", kSample, "66"},
      {"hmM", kSample, "1456"},
      {"HhMm", kSample, "141456"},
      {"dD", kSample, "1515"},
      {"Mmm", kSample, "606"},
      {"dDdD", kSample, "15151515"},
      // Names.
      {"mmm", kSample, "Jun"},
      {"mmmm", kSample, "June"},
      {"MMMMMM", kSample, "June"},
      {"ddd dddd", kSample, "Sun Sunday"},
      {"ddd", At(2000, 1, 1), "Sat"},
      {"ddd", At(1900, 1, 1), "Mon"},
      {"ddd", At(1, 1, 1), "Mon"},
      {"aaa aaaa AaAa", kSample, "Sun Sunday Sunday"},
      {"a aa ax", kSample, "a aa ax"},
      // AM/PM forms and the 12-hour clock.
      {"hh am/pm", kSample, "02 pm"},
      {"h A/P", kSample, "2 P"},
      {"hh AMPM", kSample, "02 nachm."},
      {"AMPM hh", halfPastMidnight, "vorm. 12"},
      {"h:nn am/pm", kSample, "2.05 pm"},
      {"am/pm h", kSample, "pm 2"},
      {"AM/PM", nineInTheMorning, "AM"},
      {"Am/pM", kSample, "pM"},
      {"a/p", kSample, "p"},
      {"A/p h", nineInTheMorning, "A 9"},
      {"ampm", kSample, "nachm."},
      {"h a/p", halfPastMidnight, "12 a"},
      {"h a/p", noon, "12 p"},
      {"h AM/PM", elevenAtNight, "11 PM"},
      {"hh", halfPastMidnight, "00"},
      {"hh:nn:ss a/p", kSample, "02.05.09 p"},
      {"hh 'am/pm'", kSample, "14 am/pm"},
      {"hh h am/pm", kSample, "14 2 pm"},
      {"hh 'h' am/pm", kSample, "14 h pm"},
      {"hh am", kSample, "14 a6"},
      {"hh \"x'\" am/pm", kSample, "14 x' pm"},
      // The locale's patterns.
      {"", kSample, "2008-06-15 14.05.09"},
      {"c", kSample, "2008-06-15 14.05.09"},
      {"", At(2008, 6, 15), "2008-06-15"},
      {"c", At(2008, 6, 15, 0, 0, 0, 400), "2008-06-15"},
      {"c", At(2008, 6, 15, 0, 0, 1), "2008-06-15 00.00.01"},
      {"ccc", kSample, "2008-06-15 14.05.09"},
      {"ddddd", kSample, "2008-06-15"},
      {"dddddd", kSample, "Sunday, 15. June 2008"},
      {"ddddddd", kSample, "Sunday, 15. June 2008"},
      {"t", kSample, "14.05"},
      {"tt", kSample, "14.05.09"},
      {"ttt", kSample, "14.05.09"},
      {"am/pm t", kSample, "pm 14.05"},
      // Separators print the locale's; quoted they print themselves.
      {"yyyy/mm/dd hh:nn", kSample, "2008-06-15 14.05"},
      {"'/:'", kSample, "/:"},
      // Quoted text.
      {"\"it's\"", kSample, "it's"},
      {"'say \"cheese\"'", kSample, "say \"cheese\""},
      {"'unmatched yyyy", kSample, "unmatched yyyy"},
      {"yyyy''mm", kSample, "200806"},
      {"\"yyyy\"yyyy", kSample, "yyyy2008"},
      {"'a''b'", kSample, "ab"},
      // Everything else prints as written.
      {"0l5 #+~ xo", kSample, "0l5 #+~ xo"},
      {"\xC3\xA4hh", kSample,
       "\xC3\xA4"
       "14"},
  };
  ExpectAll(cases, FixedLocale());
}

TEST(FormatTimestamp, RoundsToTheMillisecondFirst) {
  const TDateTime sunday = At(2008, 6, 15);
  const std::vector<Case> cases = {
      {"yyyy-mm-dd hh-nn-ss-zzz", sunday + 0.9999999954, "2008-06-16 00-00-00-000"},
      {"yyyy-mm-dd hh-nn-ss-zzz", sunday + 0.9999999930, "2008-06-15 23-59-59-999"},
      {"dddd", sunday + 0.9999999954, "Monday"},
      // Exact half milliseconds go to the even neighbour.
      {"hh-nn-ss-zzz", sunday + 1.0 / 2048, "00-00-42-188"},
      {"hh-nn-ss-zzz", sunday + 3.0 / 2048, "00-02-06-562"},
      // Before 1899-12-30 the fraction is the time of day of the earlier day.
      {"yyyy-mm-dd hh-nn", -1.25, "1899-12-29 06-00"},
      {"yyyy-mm-dd hh-nn", 0.0, "1899-12-30 00-00"},
  };
  // 23:59:59.9996 is 0.9999999954 of a day; 23:59:59.9994 is 0.9999999930.
  ASSERT_NEAR(86399999.6, 0.9999999954 * 86400000, 0.01);
  ASSERT_NEAR(86399999.4, 0.9999999930 * 86400000, 0.01);
  ExpectAll(cases, FixedLocale());
}

TEST(FormatTimestamp, OutputStopsAt256Bytes) {
  const tLocaleFormats locale = FixedLocale();
  EXPECT_EQ(std::string(256, '-'), FormatTimestamp(std::string(300, '-'), kSample, locale));
  EXPECT_EQ(std::string(252, '-') + "Sund",
            FormatTimestamp(std::string(252, '-') + "dddd", kSample, locale));
  // The cut falls inside a locale pattern: the patterns share the one buffer.
  EXPECT_EQ(std::string(250, '-') + "Sunday",
            FormatTimestamp(std::string(250, '-') + "dddddd", kSample, locale));
  EXPECT_EQ(std::string(254, '-') + "20",
            FormatTimestamp(std::string(254, '-') + "yyyy'quoted'", kSample, locale));
  // A character is never cut in half.
  EXPECT_EQ(std::string(255, '-'),
            FormatTimestamp(std::string(255, '-') + "\xC3\xA4", kSample, locale));
  EXPECT_EQ(std::string(254, '-') + "\xC3\xA4",
            FormatTimestamp(std::string(254, '-') + "\xC3\xA4x", kSample, locale));
}

TEST(FormatTimestamp, EmptyAndWideSeparators) {
  tLocaleFormats locale = FixedLocale();
  locale.DateSep.clear();
  locale.TimeSep.clear();
  EXPECT_EQ("20080615 1405", FormatTimestamp("yyyy/mm/dd hh:nn", kSample, locale));
  EXPECT_EQ("20080615 140509", FormatTimestamp("", kSample, locale));
  locale.DateSep = std::string("\xC2\xB7");  // a middle dot: one character, two bytes
  locale.TimeSep = std::string("h");
  EXPECT_EQ(
      "2008\xC2\xB7"
      "06 14h05",
      FormatTimestamp("yyyy/mm hh:nn", kSample, locale));
}

TEST(FormatTimestamp, PatternsExpandOneLevelDeepOnly) {
  tLocaleFormats locale = FixedLocale();
  // Inside a pattern the expanding specifiers print nothing, but c keeps its blank.
  locale.ShortDatePattern = "[c|t|tt|ddddd|dddddd]dd";
  EXPECT_EQ("[ ||||]15", FormatTimestamp("ddddd", kSample, locale));
  EXPECT_EQ("[||||]15", FormatTimestamp("ddddd", At(2008, 6, 15), locale));
  // c expands the short date again inside c, one level deeper than allowed.
  EXPECT_EQ("[ ||||]15 14.05.09", FormatTimestamp("c", kSample, locale));

  // Each level has its own previous letter and 12-hour flag.
  locale.ShortTimePattern = "mm";
  EXPECT_EQ("14 06", FormatTimestamp("hh t", kSample, locale));
  locale.ShortTimePattern = "hh am/pm";
  EXPECT_EQ("02 pm 14", FormatTimestamp("t hh", kSample, locale));
}

TEST(FormatTimestamp, LeadBytesCarryTheirTrailByte) {
  tLocaleFormats locale = FixedLocale();
  locale.LeadByteSet.set(0x81);
  const std::vector<Case> cases = {
      // The pair resets the previous letter, so the mm is a month.
      {"hh\x81xmm", kSample, "14\x81x06"},
      // A trail byte that looks like a quote does not end quoted text.
      {"'\x81'x'yyyy", kSample, "\x81'x2008"},
      {"\x81", kSample, "\x81"},
      // A trail byte that looks like an h does not stop the look-ahead.
      {"hh\x81h am/pm", kSample, "02\x81h pm"},
      {"'\x81", kSample, "\x81"},
  };
  ExpectAll(cases, locale);
  // Without the lead byte the same bytes are two characters.
  EXPECT_EQ(
      "14\x81"
      "2 pm",
      FormatTimestamp("hh\x81h am/pm", kSample, FixedLocale()));
  EXPECT_EQ("\x81xyyyy", FormatTimestamp("'\x81'x'yyyy", kSample, FixedLocale()));
}

TEST(FormatTimestamp, ValuesOutsideTheCalendarPrintNoDate) {
  const tLocaleFormats locale = FixedLocale();
  const std::string format = "yyyy|mmmm|dddd|hh";
  EXPECT_EQ("0000|||00", FormatTimestamp(format, std::nan(""), locale));
  EXPECT_EQ("0000|||00", FormatTimestamp(format, std::numeric_limits<double>::infinity(), locale));
  EXPECT_EQ("0000|||00", FormatTimestamp(format, 1e300, locale));
  EXPECT_EQ("0000|||12", FormatTimestamp(format, -700000.5, locale));
  EXPECT_EQ("9999|December|Friday|23", FormatTimestamp(format, At(9999, 12, 31, 23), locale));
}

TEST(FormatTimestamp, UsesTheProcessWideSettings) {
  const tLocaleFormats saved = LocaleFormats;
  LocaleFormats = FixedLocale();
  EXPECT_EQ("2008-06-15 14.05.09", FormatTimestamp("", kSample));
  LocaleFormats.DateSep = "/";
  EXPECT_EQ("2008/06/15", FormatTimestamp("ddddd", kSample));
  LocaleFormats = saved;
}

TEST(FormatTimestamp, AnyFormatGivesAtMost256Bytes) {
  // Formats made of the characters the scanner treats specially, lead bytes included.
  const std::string alphabet = "yYmMdDhHnNsSzZtTcCaAeEgGpP/:'\"\x81 -x\xC3\xA4";
  tLocaleFormats locale = FixedLocale();
  locale.LeadByteSet.set(0x81);
  locale.LongDatePattern = std::string(200, 'd') + "'" + std::string(100, 'm');
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  for (int round = 0; round < 3000; ++round) {
    std::string format;
    const size_t length = next() % 300;
    for (size_t i = 0; i < length; ++i) format += alphabet[next() % alphabet.size()];
    const std::string result = FormatTimestamp(format, kSample + round * 0.37, locale);
    ASSERT_LE(result.size(), 256u) << format;
  }
}
