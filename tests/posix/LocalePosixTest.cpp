#include <gtest/gtest.h>
#include <locale.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "engine/format/FormatTimestamp.h"
#include "engine/format/LocaleFormats.h"
#include "platform/Locale.h"

namespace {

// 2008-06-15 14:05:09, a Sunday.
const TDateTime kSample = 39614 + (14 * 3600 + 5 * 60 + 9) / 86400.0;

// Names the locale through LC_ALL for one test, and puts the environment and the
// process-wide settings back afterwards.
class UserLocale {
 public:
  explicit UserLocale(const char* name) : saved_(LocaleFormats) {
    if (const char* old = std::getenv("LC_ALL")) old_ = old;
    setenv("LC_ALL", name, 1);
  }
  ~UserLocale() {
    if (old_) {
      setenv("LC_ALL", old_->c_str(), 1);
    } else {
      unsetenv("LC_ALL");
    }
    LocaleFormats = saved_;
  }
  UserLocale(const UserLocale&) = delete;
  UserLocale& operator=(const UserLocale&) = delete;

 private:
  std::optional<std::string> old_;
  tLocaleFormats saved_;
};

bool Installed(const char* name) {
  const locale_t locale = newlocale(LC_TIME_MASK, name, static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return false;
  freelocale(locale);
  return true;
}

}  // namespace

TEST(LocalePosix, CLocale) {
  const UserLocale user("C");
  LoadLocaleFormats();
  const tLocaleFormats& formats = LocaleFormats;
  EXPECT_EQ("/", formats.DateSep);
  EXPECT_EQ(":", formats.TimeSep);
  EXPECT_EQ("mm/dd/yy", formats.ShortDatePattern);
  EXPECT_EQ("ddd mmm d yyyy", formats.LongDatePattern);
  EXPECT_EQ("hh:mm", formats.ShortTimePattern);
  EXPECT_EQ("hh:mm:ss", formats.LongTimePattern);
  EXPECT_EQ("AM", formats.AmDesignator);
  EXPECT_EQ("PM", formats.PmDesignator);
  EXPECT_EQ("Jan", formats.MonthAbbrevs[0]);
  EXPECT_EQ("December", formats.MonthNames[11]);
  EXPECT_EQ("Sun", formats.DayAbbrevs[0]);
  EXPECT_EQ("Saturday", formats.DayNames[6]);
  EXPECT_EQ(9, formats.PrimaryLanguage);
  EXPECT_EQ(1, formats.SubLanguage);
  EXPECT_TRUE(formats.LeadByteSet.none());

  EXPECT_EQ("06/15/08 14:05:09", FormatTimestamp("", kSample));
  EXPECT_EQ("Sun Jun 15 2008", FormatTimestamp("dddddd", kSample));
  EXPECT_EQ("2:05 PM", FormatTimestamp("h:nn ampm", kSample));
}

TEST(LocalePosix, GermanLocale) {
  if (!Installed("de_DE.UTF-8")) {
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed on this machine "
                    "(tools/test.sh generates it with localedef when it can)";
  }
  const UserLocale user("de_DE.UTF-8");
  LoadLocaleFormats();
  const tLocaleFormats& formats = LocaleFormats;
  EXPECT_EQ(".", formats.DateSep);
  EXPECT_EQ(":", formats.TimeSep);
  EXPECT_EQ("dd.mm.yyyy", formats.ShortDatePattern);
  EXPECT_EQ("ddd dd mmm yyyy", formats.LongDatePattern);
  EXPECT_EQ("hh:mm", formats.ShortTimePattern);
  EXPECT_EQ("hh:mm:ss", formats.LongTimePattern);
  EXPECT_EQ("", formats.AmDesignator);
  EXPECT_EQ("", formats.PmDesignator);
  EXPECT_EQ("M\xC3\xA4r", formats.MonthAbbrevs[2]);
  EXPECT_EQ("M\xC3\xA4rz", formats.MonthNames[2]);
  EXPECT_EQ("Juni", formats.MonthNames[5]);
  EXPECT_EQ("So", formats.DayAbbrevs[0]);
  EXPECT_EQ("Sonntag", formats.DayNames[0]);

  EXPECT_EQ("15.06.2008 14:05:09", FormatTimestamp("", kSample));
  EXPECT_EQ("So 15 Jun 2008", FormatTimestamp("dddddd", kSample));
  EXPECT_EQ("15. M\xC3\xA4rz 2008", FormatTimestamp("d. mmmm yyyy", kSample - 92));
}

TEST(LocalePosix, MissingLocaleGivesTheDefaults) {
  const UserLocale user("xx_NOWHERE.UTF-8");
  LoadLocaleFormats();
  const tLocaleFormats defaults;
  EXPECT_EQ(defaults.ShortDatePattern, LocaleFormats.ShortDatePattern);
  EXPECT_EQ(defaults.LongDatePattern, LocaleFormats.LongDatePattern);
  EXPECT_EQ(defaults.LongTimePattern, LocaleFormats.LongTimePattern);
  EXPECT_EQ(defaults.AmDesignator, LocaleFormats.AmDesignator);
  EXPECT_EQ(defaults.MonthNames, LocaleFormats.MonthNames);
  EXPECT_EQ("6/15/08 2:05:09 pm", FormatTimestamp("", kSample));
}

TEST(LocalePosix, LoadingLeavesTheProcessLocaleAlone) {
  const UserLocale user("C.UTF-8");
  const std::string before = setlocale(LC_ALL, nullptr);
  LoadLocaleFormats();
  EXPECT_EQ(before, setlocale(LC_ALL, nullptr));
}

TEST(LocalePosix, EraSpecifiersPrintNothing) {
  EXPECT_FALSE(platform::AlternativeCalendarDate("gg", 2008, 6, 15));
  EXPECT_EQ("[][][][]", FormatTimestamp("[E][EEEE][g][GG]", kSample, tLocaleFormats{}));
}
