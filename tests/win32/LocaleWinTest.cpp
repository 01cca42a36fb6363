// The locale service against the system's own tables (under Wine: Wine's tables).
#include <gtest/gtest.h>

#include <string>

#include "engine/format/FormatTimestamp.h"
#include "engine/format/LocaleFormats.h"
#include "platform/Locale.h"
#include "platform/win32/CodePage.h"
#include "platform/win32/WinApi.h"

using platform::win32::LeadBytesOfCodePage;

namespace {

// 2008-06-15 14:05:09, a Sunday.
const TDateTime kSample = 39614 + (14 * 3600 + 5 * 60 + 9) / 86400.0;

constexpr LCID kEnglishUnitedStates = 0x0409;
constexpr LCID kGerman = 0x0407;
constexpr LCID kHungarian = 0x040E;
constexpr LCID kJapanese = 0x0411;
constexpr LCID kChineseTaiwan = 0x0404;
constexpr LCID kThai = 0x041E;

// Gives the thread a locale for one test, then puts the thread locale and the process-wide
// settings back.
class ThreadLocale {
 public:
  explicit ThreadLocale(LCID locale) : old_(GetThreadLocale()), saved_(LocaleFormats) {
    set_ = SetThreadLocale(locale) != FALSE && GetThreadLocale() == locale;
  }
  ~ThreadLocale() {
    SetThreadLocale(old_);
    LocaleFormats = saved_;
  }
  ThreadLocale(const ThreadLocale&) = delete;
  ThreadLocale& operator=(const ThreadLocale&) = delete;

  bool Set() const { return set_; }

 private:
  LCID old_;
  tLocaleFormats saved_;
  bool set_ = false;
};

}  // namespace

TEST(LocaleWin, EnglishUnitedStates) {
  const ThreadLocale thread(kEnglishUnitedStates);
  ASSERT_TRUE(thread.Set());
  LoadLocaleFormats();
  const tLocaleFormats& formats = LocaleFormats;
  EXPECT_EQ("/", formats.DateSep);
  EXPECT_EQ(":", formats.TimeSep);
  EXPECT_EQ("M/d/yyyy", formats.ShortDatePattern);
  EXPECT_EQ("dddd, MMMM d, yyyy", formats.LongDatePattern);
  EXPECT_EQ("h:mm AMPM", formats.ShortTimePattern);
  EXPECT_EQ("h:mm:ss AMPM", formats.LongTimePattern);
  EXPECT_EQ("AM", formats.AmDesignator);
  EXPECT_EQ("PM", formats.PmDesignator);
  EXPECT_EQ("Jan", formats.MonthAbbrevs[0]);
  EXPECT_EQ("March", formats.MonthNames[2]);
  EXPECT_EQ("Sun", formats.DayAbbrevs[0]);
  EXPECT_EQ("Monday", formats.DayNames[1]);
  EXPECT_EQ("Saturday", formats.DayNames[6]);
  EXPECT_EQ(9, formats.PrimaryLanguage);
  EXPECT_EQ(1, formats.SubLanguage);
  EXPECT_TRUE(formats.LeadByteSet.none());

  EXPECT_EQ("6/15/2008 2:05:09 PM", FormatTimestamp("", kSample));
  EXPECT_EQ("Sunday, June 15, 2008", FormatTimestamp("dddddd", kSample));
  EXPECT_EQ("2:05 PM", FormatTimestamp("t", kSample));
}

TEST(LocaleWin, German) {
  const ThreadLocale thread(kGerman);
  ASSERT_TRUE(thread.Set());
  LoadLocaleFormats();
  const tLocaleFormats& formats = LocaleFormats;
  EXPECT_EQ(".", formats.DateSep);
  EXPECT_EQ(":", formats.TimeSep);
  EXPECT_EQ("d.M.yyyy", formats.ShortDatePattern);
  EXPECT_EQ("dddd, d. MMMM yyyy", formats.LongDatePattern);
  EXPECT_EQ("hh:mm", formats.ShortTimePattern);
  EXPECT_EQ("hh:mm:ss", formats.LongTimePattern);
  EXPECT_EQ("M\xC3\xA4rz", formats.MonthNames[2]);
  EXPECT_EQ("Sonntag", formats.DayNames[0]);
  EXPECT_EQ("Montag", formats.DayNames[1]);
  EXPECT_EQ(7, formats.PrimaryLanguage);
  EXPECT_EQ(1, formats.SubLanguage);

  EXPECT_EQ("15.6.2008 14:05:09", FormatTimestamp("", kSample));
  EXPECT_EQ("Sonntag, 15. Juni 2008", FormatTimestamp("dddddd", kSample));
  EXPECT_EQ("15. M\xC3\xA4rz 2008", FormatTimestamp("d. mmmm yyyy", kSample - 92));
}

TEST(LocaleWin, SeparatorLongerThanOneCharacterGivesTheDefault) {
  const ThreadLocale thread(kHungarian);
  ASSERT_TRUE(thread.Set());
  ASSERT_EQ(". ", platform::ReadLocaleItems().dateSeparator.value_or(""));
  LoadLocaleFormats();
  EXPECT_EQ("/", LocaleFormats.DateSep);
  EXPECT_EQ("yyyy. MM. dd.", LocaleFormats.ShortDatePattern);
  EXPECT_EQ("2008. 06. 15.", FormatTimestamp("ddddd", kSample));
}

TEST(LocaleWin, EraNamesLeaveTheDatePatternsOfEastAsianLanguages) {
  {
    const ThreadLocale thread(kJapanese);
    ASSERT_TRUE(thread.Set());
    LoadLocaleFormats();
    EXPECT_EQ(17, LocaleFormats.PrimaryLanguage);
    EXPECT_EQ(1, LocaleFormats.SubLanguage);
    EXPECT_EQ("yyyy/M/d", LocaleFormats.ShortDatePattern);
    EXPECT_EQ("\xE5\x8D\x88\xE5\x89\x8D", LocaleFormats.AmDesignator);  // 午前
  }
  {
    // Thai is no East Asian language: its pattern keeps the era name.
    const ThreadLocale thread(kThai);
    ASSERT_TRUE(thread.Set());
    const platform::LocaleItems items = platform::ReadLocaleItems();
    ASSERT_TRUE(items.longDatePattern);
    ASSERT_NE(std::string::npos, items.longDatePattern->find("gg"));
    LoadLocaleFormats();
    EXPECT_EQ(*items.longDatePattern, LocaleFormats.LongDatePattern);
  }
}

TEST(LocaleWin, EraSpecifiersAskTheSystem) {
  {
    const ThreadLocale thread(kEnglishUnitedStates);
    ASSERT_TRUE(thread.Set());
    LoadLocaleFormats();
    EXPECT_EQ("8", FormatTimestamp("E", kSample));
    EXPECT_EQ("08", FormatTimestamp("EE", kSample));
    EXPECT_EQ("2008", FormatTimestamp("eee", kSample));
    const std::optional<std::string> era = platform::AlternativeCalendarDate("gg", 2008, 6, 15);
    ASSERT_TRUE(era);
    EXPECT_EQ(*era, FormatTimestamp("G", kSample));
    EXPECT_EQ(*era, FormatTimestamp("gg", kSample));
  }
  {
    // Japanese: a single g is the era name's first character.
    const ThreadLocale thread(kJapanese);
    ASSERT_TRUE(thread.Set());
    LoadLocaleFormats();
    const std::string era = platform::AlternativeCalendarDate("gg", 2008, 6, 15).value_or("");
    ASSERT_GE(era.size(), 6u);  // at least two characters of three bytes
    EXPECT_EQ(era.substr(0, 3), FormatTimestamp("g", kSample));
    EXPECT_EQ(era, FormatTimestamp("gg", kSample));
  }
  {
    // Traditional Chinese: a four-character era name shrinks to its last two.
    const ThreadLocale thread(kChineseTaiwan);
    ASSERT_TRUE(thread.Set());
    LoadLocaleFormats();
    const std::string era = platform::AlternativeCalendarDate("gg", 2008, 6, 15).value_or("");
    ASSERT_EQ(12u, era.size());  // four characters of three bytes
    EXPECT_EQ(era.substr(6), FormatTimestamp("g", kSample));
    EXPECT_EQ(era, FormatTimestamp("ggg", kSample));
  }
}

TEST(LocaleWin, ReloadGoesBackToTheUserDefault) {
  const ThreadLocale thread(kGerman);
  ASSERT_TRUE(thread.Set());
  LoadLocaleFormats();
  ASSERT_EQ(7, LocaleFormats.PrimaryLanguage);
  ReloadLocaleFormats();
  EXPECT_EQ(GetUserDefaultLCID(), GetThreadLocale());
  EXPECT_EQ(PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())), LocaleFormats.PrimaryLanguage);
  EXPECT_EQ(LocaleFormatsFrom(platform::ReadLocaleItems()).LongDatePattern,
            LocaleFormats.LongDatePattern);
}

TEST(LocaleWin, LeadBytesOfCodePages) {
  const std::bitset<256> japanese = LeadBytesOfCodePage(932);
  EXPECT_EQ(60u, japanese.count());
  for (const unsigned byte : {0x81u, 0x9Fu, 0xE0u, 0xFCu}) EXPECT_TRUE(japanese[byte]) << byte;
  for (const unsigned byte : {0x41u, 0x80u, 0xA0u, 0xDFu, 0xFDu}) EXPECT_FALSE(japanese[byte]);
  EXPECT_TRUE(LeadBytesOfCodePage(CP_UTF8).none());
  EXPECT_TRUE(LeadBytesOfCodePage(1252).none());
  EXPECT_TRUE(LeadBytesOfCodePage(12345).none());
  // The program's text is UTF-8, which has no two-byte characters in this sense.
  EXPECT_TRUE(platform::ReadLocaleItems().leadBytes.none());
}
