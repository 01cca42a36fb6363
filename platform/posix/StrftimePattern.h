#pragma once

#include <optional>
#include <string>
#include <string_view>

// The C library describes a locale's dates with strftime patterns; the program's format
// language needs Windows-like items. These turn the one into the other.
namespace platform::posix {

// The strftime patterns of one LC_TIME locale (nl_langinfo's D_FMT, D_T_FMT, T_FMT and
// T_FMT_AMPM). The composite conversions %x, %c, %X and %r stand for them.
struct StrftimePatterns {
  std::string date;
  std::string dateTime;
  std::string time;
  std::string timeAmPm;
};

// The text between the day, month and year numbers of the date pattern, when it is the same
// everywhere (it may be empty); nothing when it differs ("%Y年%m月%d日") or there are fewer
// than two numbers.
std::optional<std::string> DateSeparatorOf(const StrftimePatterns& patterns);

// The same for the hour, minute and second numbers of the time pattern.
std::optional<std::string> TimeSeparatorOf(const StrftimePatterns& patterns);

// The date part of a strftime pattern in the format language ("%d.%m.%Y" becomes
// "dd.mm.yyyy"). Conversions that are no part of a date (times, zones, week numbers) are
// left out together with the text that joined them; literal text that the format language
// would read as specifiers is quoted. Nothing when the pattern holds no date at all.
std::optional<std::string> DatePatternOf(std::string_view pattern,
                                         const StrftimePatterns& patterns);

// How the time pattern writes the hour.
struct ClockStyle {
  bool leadingZero = false;       // %H or %I rather than %k or %l
  bool twelveHour = false;        // %I or %l
  bool markerBeforeTime = false;  // %p comes before the hour
};

// The clock of the time pattern; nothing when it writes no hour.
std::optional<ClockStyle> ClockStyleOf(const StrftimePatterns& patterns);

}  // namespace platform::posix
