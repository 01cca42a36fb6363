#include "platform/Locale.h"

#include <langinfo.h>
#include <locale.h>

#include "platform/posix/StrftimePattern.h"

namespace platform {

namespace {

// The user's LC_TIME locale, read without switching the whole process to it (which would
// also change how the C library writes and reads numbers).
class UserTimeLocale {
 public:
  UserTimeLocale() : locale_(newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0))) {}
  ~UserTimeLocale() {
    if (locale_ != static_cast<locale_t>(0)) freelocale(locale_);
  }
  UserTimeLocale(const UserTimeLocale&) = delete;
  UserTimeLocale& operator=(const UserTimeLocale&) = delete;

  bool Valid() const { return locale_ != static_cast<locale_t>(0); }
  std::string Text(nl_item item) const {
    const char* text = nl_langinfo_l(item, locale_);
    return text == nullptr ? std::string() : std::string(text);
  }

 private:
  locale_t locale_;
};

const char* Flag(bool on) { return on ? "1" : "0"; }

}  // namespace

LocaleItems ReadLocaleItems() {
  LocaleItems items;
  const UserTimeLocale locale;
  // A locale the environment names but the system lacks leaves every item unanswered.
  if (!locale.Valid()) return items;

  static const nl_item kMonthAbbrevs[12] = {ABMON_1, ABMON_2,  ABMON_3,  ABMON_4,
                                            ABMON_5, ABMON_6,  ABMON_7,  ABMON_8,
                                            ABMON_9, ABMON_10, ABMON_11, ABMON_12};
  static const nl_item kMonthNames[12] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                          MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
  static const nl_item kDayAbbrevs[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4,
                                         ABDAY_5, ABDAY_6, ABDAY_7};
  static const nl_item kDayNames[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
  for (int month = 0; month < 12; ++month) {
    items.monthAbbrevs[month] = locale.Text(kMonthAbbrevs[month]);
    items.monthNames[month] = locale.Text(kMonthNames[month]);
  }
  // The C library counts the days from Sunday, as the program does.
  for (int day = 0; day < 7; ++day) {
    items.dayAbbrevs[day] = locale.Text(kDayAbbrevs[day]);
    items.dayNames[day] = locale.Text(kDayNames[day]);
  }
  items.amDesignator = locale.Text(AM_STR);
  items.pmDesignator = locale.Text(PM_STR);

  posix::StrftimePatterns patterns;
  patterns.date = locale.Text(D_FMT);
  patterns.dateTime = locale.Text(D_T_FMT);
  patterns.time = locale.Text(T_FMT);
  patterns.timeAmPm = locale.Text(T_FMT_AMPM);
  items.dateSeparator = posix::DateSeparatorOf(patterns);
  items.timeSeparator = posix::TimeSeparatorOf(patterns);
  items.shortDatePattern = posix::DatePatternOf(patterns.date, patterns);
  items.longDatePattern = posix::DatePatternOf(patterns.dateTime, patterns);
  items.calendarType.emplace(1, '1');  // Gregorian
  if (const std::optional<posix::ClockStyle> clock = posix::ClockStyleOf(patterns)) {
    items.hourLeadingZero = Flag(clock->leadingZero);
    items.clock24 = Flag(!clock->twelveHour);
    items.markerBeforeTime = Flag(clock->markerBeforeTime);
  }
  return items;
}

void UseUserDefaultLocale() {}

std::optional<std::string> AlternativeCalendarDate(const char*, int, int, int) {
  return std::nullopt;
}

}  // namespace platform
