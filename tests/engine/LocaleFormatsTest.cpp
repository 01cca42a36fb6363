#include <gtest/gtest.h>

#include "engine/format/FormatTimestamp.h"
#include "engine/format/LocaleFormats.h"

using platform::LocaleItems;

namespace {

// What a system answers for a German locale with a 24-hour clock.
LocaleItems GermanItems() {
  LocaleItems items;
  items.localeId = 0x0407;
  items.dateSeparator = ".";
  items.timeSeparator = ":";
  items.shortDatePattern = "dd.MM.yyyy";
  items.longDatePattern = "dddd, d. MMMM yyyy";
  items.amDesignator = "";
  items.pmDesignator = "";
  items.calendarType = "1";
  items.hourLeadingZero = "1";
  items.clock24 = "1";
  items.markerBeforeTime = "0";
  const char* months[12] = {"Januar", "Februar", "M\xC3\xA4rz", "April",   "Mai",      "Juni",
                            "Juli",   "August",  "September",   "Oktober", "November", "Dezember"};
  const char* abbrevs[12] = {"Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun",
                             "Jul", "Aug", "Sep",        "Okt", "Nov", "Dez"};
  for (int i = 0; i < 12; ++i) {
    items.monthNames[i] = months[i];
    items.monthAbbrevs[i] = abbrevs[i];
  }
  const char* days[7] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                         "Donnerstag", "Freitag", "Samstag"};
  for (int i = 0; i < 7; ++i) {
    items.dayNames[i] = days[i];
    items.dayAbbrevs[i] = std::string(days[i]).substr(0, 2) + ".";
  }
  return items;
}

}  // namespace

TEST(LocaleFormats, UnansweredItemsGiveTheDefaults) {
  const tLocaleFormats formats = LocaleFormatsFrom(LocaleItems{});
  EXPECT_EQ("/", formats.DateSep);
  EXPECT_EQ(":", formats.TimeSep);
  EXPECT_EQ("m/d/yy", formats.ShortDatePattern);
  EXPECT_EQ("mmmm d, yyyy", formats.LongDatePattern);
  EXPECT_EQ("am", formats.AmDesignator);
  EXPECT_EQ("pm", formats.PmDesignator);
  // No answers: no leading zero, 12-hour clock, marker after the time.
  EXPECT_EQ("h:mm AMPM", formats.ShortTimePattern);
  EXPECT_EQ("h:mm:ss AMPM", formats.LongTimePattern);
  EXPECT_EQ("Jan", formats.MonthAbbrevs[0]);
  EXPECT_EQ("M\xC3\xA4rz", formats.MonthNames[2]);
  EXPECT_EQ("Dezember", formats.MonthNames[11]);
  EXPECT_EQ("So", formats.DayAbbrevs[0]);
  EXPECT_EQ("Samstag", formats.DayNames[6]);
  EXPECT_EQ(9, formats.PrimaryLanguage);
  EXPECT_EQ(1, formats.SubLanguage);
  EXPECT_TRUE(formats.LeadByteSet.none());
  // The defaults make a working US-style format.
  EXPECT_EQ("6/15/08 2:05:09 pm",
            FormatTimestamp("", 39614 + (14 * 3600 + 5 * 60 + 9) / 86400.0, formats));
}

TEST(LocaleFormats, AnswersAreTaken) {
  const tLocaleFormats formats = LocaleFormatsFrom(GermanItems());
  EXPECT_EQ(".", formats.DateSep);
  EXPECT_EQ(":", formats.TimeSep);
  EXPECT_EQ("dd.MM.yyyy", formats.ShortDatePattern);
  EXPECT_EQ("dddd, d. MMMM yyyy", formats.LongDatePattern);
  EXPECT_EQ("hh:mm", formats.ShortTimePattern);
  EXPECT_EQ("hh:mm:ss", formats.LongTimePattern);
  // An empty designator is an answer, unlike an empty name.
  EXPECT_EQ("", formats.AmDesignator);
  EXPECT_EQ("", formats.PmDesignator);
  EXPECT_EQ("M\xC3\xA4r", formats.MonthAbbrevs[2]);
  EXPECT_EQ("Mo.", formats.DayAbbrevs[1]);
  EXPECT_EQ(7, formats.PrimaryLanguage);
  EXPECT_EQ(1, formats.SubLanguage);
}

TEST(LocaleFormats, SeparatorsMustBeOneCharacter) {
  struct Case {
    std::optional<std::string> answer;
    std::string separator;
  };
  const Case cases[] = {
      {std::nullopt, "/"},
      {"", ""},
      {".", "."},
      {"-", "-"},
      {". ", "/"},               // Hungarian: two characters do not fit
      {"\xC2\xB7", "\xC2\xB7"},  // one character in two bytes
      {"\xE5\xB9\xB4", "\xE5\xB9\xB4"},
      {"\xC2", "\xC2"},  // a lone byte is one character
      {"\xC2\xB7.", "/"},
      {"\xE5\xB9", "/"},  // a broken sequence is two bytes, not one character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer.value_or("(no answer)"));
    LocaleItems items;
    items.dateSeparator = c.answer;
    items.timeSeparator = c.answer;
    const tLocaleFormats formats = LocaleFormatsFrom(items);
    EXPECT_EQ(c.separator, formats.DateSep);
    EXPECT_EQ(c.separator == "/" ? ":" : c.separator, formats.TimeSep);
  }
}

TEST(LocaleFormats, EmptyNamesGiveTheBuiltInOnes) {
  LocaleItems items = GermanItems();
  items.monthNames[0] = "";
  items.monthAbbrevs[4] = std::nullopt;
  items.dayNames[3] = "";
  items.dayAbbrevs[6] = std::nullopt;
  items.monthNames[1] = "February";
  const tLocaleFormats formats = LocaleFormatsFrom(items);
  EXPECT_EQ("Januar", formats.MonthNames[0]);
  EXPECT_EQ("February", formats.MonthNames[1]);
  EXPECT_EQ("Mai", formats.MonthAbbrevs[4]);
  EXPECT_EQ("Mittwoch", formats.DayNames[3]);
  EXPECT_EQ("Sa", formats.DayAbbrevs[6]);
}

TEST(LocaleFormats, TimePatternsFollowTheClockItems) {
  struct Case {
    std::optional<std::string> leadingZero;
    std::optional<std::string> clock24;
    std::optional<std::string> markerFirst;
    std::string shortTime;
    std::string longTime;
  };
  const Case cases[] = {
      {"0", "0", "0", "h:mm AMPM", "h:mm:ss AMPM"},
      {"1", "0", "0", "hh:mm AMPM", "hh:mm:ss AMPM"},
      {"0", "0", "1", "AMPM h:mm", "AMPM h:mm:ss"},
      {"1", "1", "1", "hh:mm", "hh:mm:ss"},
      {"0", "1", "0", "h:mm", "h:mm:ss"},
      {"2", "7", "0", "hh:mm", "hh:mm:ss"},
      // Texts that are no numbers read as 0.
      {"x", "yes", "1 ", "h:mm AMPM", "h:mm:ss AMPM"},
      {std::nullopt, std::nullopt, "1", "AMPM h:mm", "AMPM h:mm:ss"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shortTime);
    LocaleItems items;
    items.hourLeadingZero = c.leadingZero;
    items.clock24 = c.clock24;
    items.markerBeforeTime = c.markerFirst;
    const tLocaleFormats formats = LocaleFormatsFrom(items);
    EXPECT_EQ(c.shortTime, formats.ShortTimePattern);
    EXPECT_EQ(c.longTime, formats.LongTimePattern);
  }
}

TEST(LocaleFormats, EraCalendarsRewriteTheDatePatterns) {
  struct Case {
    std::optional<std::string> calendarType;
    uint32_t localeId;
    std::string pattern;
    std::string expected;
  };
  const Case cases[] = {
      // Japanese emperor era, Taiwan and Korean calendars count era years.
      {"3", 0x0411, "gg y/M/d", "ggg e/M/d"},
      {"4", 0x0404, "GG yyyy/MM/dd", "ggg eeee/MM/dd"},
      {"5", 0x0412, "yy.YYY.yyyyy", "ee.eee.eeeee"},
      {"3", 0x0411, "g 'yy'", "g 'ee'"},
      // Other calendars of these languages lose their era names.
      {"1", 0x0411, "gg yyyy/M/d", " yyyy/M/d"},
      {"1", 0x0404, "Gg yyyy", " yyyy"},
      {"2", 0x0412, "yyyy g", "yyyy "},
      // Everyone else keeps the pattern.
      {"1", 0x0409, "gg yyyy", "gg yyyy"},
      {"3", 0x0409, "gg yyyy", "ggg eeee"},
      {"Gregorian", 0x0407, "yy gg", "yy gg"},
      // A calendar type that is no number reads as Gregorian.
      {"x", 0x0411, "gg yy", " yy"},
      {std::nullopt, 0x0411, "g yy", " yy"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    LocaleItems items;
    items.localeId = c.localeId;
    items.calendarType = c.calendarType;
    items.shortDatePattern = c.pattern;
    items.longDatePattern = c.pattern + "!";
    const tLocaleFormats formats = LocaleFormatsFrom(items);
    EXPECT_EQ(c.expected, formats.ShortDatePattern);
    EXPECT_EQ(c.expected + "!", formats.LongDatePattern);
  }
}

TEST(LocaleFormats, EraRewriteStepsOverDoubleByteCharacters) {
  LocaleItems items;
  items.localeId = 0x0411;
  items.calendarType = "3";
  items.leadBytes.set(0x81);
  items.shortDatePattern = "\x81y y\x81";
  EXPECT_EQ("\x81y e\x81", LocaleFormatsFrom(items).ShortDatePattern);
}

TEST(LocaleFormats, LanguageComesFromTheLocaleId) {
  struct Case {
    uint32_t localeId;
    int primary;
    int sub;
  };
  const Case cases[] = {
      {0x0409, 9, 1},  {0x0407, 7, 1}, {0x0807, 7, 2},  {0x0404, 4, 1},  {0x0804, 4, 2},
      {0x0411, 17, 1}, {0x0000, 9, 1}, {0x50000, 9, 1}, {0x20804, 4, 2},  // a sort order above the
                                                                          // language does not count
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.localeId);
    LocaleItems items;
    items.localeId = c.localeId;
    const tLocaleFormats formats = LocaleFormatsFrom(items);
    EXPECT_EQ(c.primary, formats.PrimaryLanguage);
    EXPECT_EQ(c.sub, formats.SubLanguage);
  }
}

TEST(LocaleFormats, ReloadRefillsTheRecord) {
  const tLocaleFormats saved = LocaleFormats;
  LocaleFormats.ShortDatePattern = "changed";
  ReloadLocaleFormats();
  EXPECT_EQ(LocaleFormatsFrom(platform::ReadLocaleItems()).ShortDatePattern,
            LocaleFormats.ShortDatePattern);
  EXPECT_NE("changed", LocaleFormats.ShortDatePattern);
  LocaleFormats = saved;
}
