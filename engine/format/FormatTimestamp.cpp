#include "engine/format/FormatTimestamp.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/format/TimestampBuffer.h"
#include "platform/AsciiCase.h"
#include "platform/Locale.h"

namespace {

constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kDayNumberOf18991230 = 693594;
constexpr int64_t kDayNumberOf99991231 = 3652059;
// Beyond this many milliseconds (about 100 000 years) a value has no date to write.
constexpr double kMsLimit = 9.0e15;

constexpr int kLangChinese = 4;
constexpr int kLangJapanese = 17;

// The value as a day number (1 = 0001-01-01) and a time of day in milliseconds, rounded to
// the nearest millisecond, a tie to the even one. Before 1899-12-30 the fraction counts away
// from zero, as the time of day of that earlier day.
struct SplitValue {
  int64_t dayNumber = 0;
  int64_t timeOfDay = 0;
};

SplitValue Split(TDateTime value) {
  SplitValue split;
  const double ms = value * static_cast<double>(kMsPerDay);
  if (!(std::fabs(ms) < kMsLimit)) return split;
  const double floor = std::floor(ms);
  auto count = static_cast<int64_t>(floor);
  const double rest = ms - floor;
  if (rest > 0.5 || (rest == 0.5 && count % 2 != 0)) ++count;
  if (count >= 0) {
    split.timeOfDay = count % kMsPerDay;
    split.dayNumber = count / kMsPerDay + kDayNumberOf18991230;
  } else {
    split.timeOfDay = (-count) % kMsPerDay;
    split.dayNumber = kDayNumberOf18991230 - (-count) / kMsPerDay;
  }
  return split;
}

struct DateParts {
  uint16_t year = 0;
  uint16_t month = 0;  // 1-12; 0 for a day outside 0001-01-01 to 9999-12-31
  uint16_t day = 0;
  uint16_t dayOfWeek = 0;  // 1-7, 1 = Sunday
};

struct TimeParts {
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t millisecond = 0;
};

DateParts DecodeDate(int64_t dayNumber) {
  DateParts parts;
  if (dayNumber < 1 || dayNumber > kDayNumberOf99991231) return parts;
  const platform::CalendarTime date =
      platform::DecodeDateTime(static_cast<double>(dayNumber - kDayNumberOf18991230));
  parts.year = static_cast<uint16_t>(date.year);
  parts.month = static_cast<uint16_t>(date.month);
  parts.day = static_cast<uint16_t>(date.day);
  parts.dayOfWeek = static_cast<uint16_t>(dayNumber % 7 + 1);
  return parts;
}

TimeParts DecodeTime(int64_t timeOfDay) {
  TimeParts parts;
  parts.hour = static_cast<uint16_t>(timeOfDay / 3600000);
  parts.minute = static_cast<uint16_t>(timeOfDay / 60000 % 60);
  parts.second = static_cast<uint16_t>(timeOfDay % 60000 / 1000);
  parts.millisecond = static_cast<uint16_t>(timeOfDay % 1000);
  return parts;
}

bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view upperWord) {
  if (text.size() < upperWord.size()) return false;
  for (size_t i = 0; i < upperWord.size(); ++i) {
    if (platform::AsciiUpper(text[i]) != upperWord[i]) return false;
  }
  return true;
}

bool IsAmPmForm(std::string_view text) {
  return StartsWithIgnoringCase(text, "AM/PM") || StartsWithIgnoringCase(text, "A/P") ||
         StartsWithIgnoringCase(text, "AMPM");
}

// The byte length of the UTF-8 character that starts at text[at] (1 for any other byte).
size_t CharacterLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  for (size_t i = 1; i < length; ++i) {
    if (at + i >= text.size() || (static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) {
      return 1;
    }
  }
  return length;
}

// The characters [first, first + count) of UTF-8 text, and how many characters it has.
std::string_view Characters(std::string_view text, size_t first, size_t count) {
  size_t begin = 0;
  for (size_t n = 0; n < first && begin < text.size(); ++n) begin += CharacterLength(text, begin);
  size_t end = begin;
  for (size_t n = 0; n < count && end < text.size(); ++n) end += CharacterLength(text, end);
  return text.substr(begin, end - begin);
}

size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (size_t at = 0; at < text.size(); at += CharacterLength(text, at)) ++count;
  return count;
}

// One call of FormatTimestamp: the value, the settings, the shared output and the nesting
// level of the locale patterns.
class Formatter {
 public:
  Formatter(TDateTime value, const tLocaleFormats& locale)
      : split_(Split(value)), locale_(locale) {}

  // Writes one format at the next nesting level; the user's format is level 1, the locale's
  // patterns it names run at level 2 and expand nothing themselves.
  void Scan(std::string_view format);

  std::string Result() const { return out_.Text(); }

 private:
  // What one nesting level keeps for itself.
  struct Level {
    char previousLetter = ' ';
    bool twelveHour = false;
    std::optional<DateParts> date;
    std::optional<TimeParts> time;
  };

  const DateParts& Date(Level& level) const {
    if (!level.date) level.date = DecodeDate(split_.dayNumber);
    return *level.date;
  }
  const TimeParts& Time(Level& level) const {
    if (!level.time) level.time = DecodeTime(split_.timeOfDay);
    return *level.time;
  }

  bool IsLead(char c) const { return locale_.LeadByteSet[static_cast<unsigned char>(c)]; }

  void AppendName(const std::string* names, size_t count, int number) {
    if (number >= 1 && static_cast<size_t>(number) <= count) out_.Append(names[number - 1]);
  }

  size_t CopyQuoted(std::string_view format, size_t at);
  bool AmPmFormFollows(std::string_view format, size_t at) const;
  size_t AmPmOrDayName(std::string_view format, size_t at, Level& level);
  void Era(char specifier, size_t count, Level& level);

  SplitValue split_;
  const tLocaleFormats& locale_;
  TimestampBuffer out_;
  int nesting_ = 0;
};

void Formatter::Scan(std::string_view format) {
  if (format.empty() || nesting_ == 2) return;
  ++nesting_;
  Level level;
  size_t at = 0;
  while (at < format.size()) {
    const char c = format[at];
    if (IsLead(c)) {
      out_.Append(format.substr(at, 2));
      level.previousLetter = ' ';
      at += 2;
      continue;
    }
    ++at;
    char specifier = platform::AsciiUpper(c);
    if (IsUpperLetter(specifier)) {
      if (specifier == 'M' && level.previousLetter == 'H') specifier = 'N';
      level.previousLetter = specifier;
    }
    size_t count = 1;
    switch (specifier) {
      case 'Y':
      case 'M':
      case 'D':
      case 'H':
      case 'N':
      case 'S':
      case 'T':
      case 'Z':
      case 'C':
      case 'E':
      case 'G':
        while (at < format.size() && format[at] == c) {
          ++count;
          ++at;
        }
        break;
    }

    switch (specifier) {
      case 'Y': {
        const DateParts& date = Date(level);
        if (count <= 2) {
          out_.AppendNumber(date.year % 100, 2);
        } else {
          out_.AppendNumber(date.year, 4);
        }
        break;
      }
      case 'M': {
        const DateParts& date = Date(level);
        if (count <= 2) {
          out_.AppendNumber(date.month, static_cast<int>(count));
        } else if (count == 3) {
          AppendName(locale_.MonthAbbrevs.data(), 12, date.month);
        } else {
          AppendName(locale_.MonthNames.data(), 12, date.month);
        }
        break;
      }
      case 'N':
        out_.AppendNumber(Time(level).minute, count == 1 ? 1 : 2);
        break;
      case 'D': {
        if (count == 5) {
          Scan(locale_.ShortDatePattern);
        } else if (count >= 6) {
          Scan(locale_.LongDatePattern);
        } else {
          const DateParts& date = Date(level);
          if (count <= 2) {
            out_.AppendNumber(date.day, static_cast<int>(count));
          } else if (count == 3) {
            AppendName(locale_.DayAbbrevs.data(), 7, date.dayOfWeek);
          } else {
            AppendName(locale_.DayNames.data(), 7, date.dayOfWeek);
          }
        }
        break;
      }
      case 'H': {
        if (!level.twelveHour && AmPmFormFollows(format, at)) level.twelveHour = true;
        uint32_t hour = Time(level).hour;
        if (level.twelveHour) {
          if (hour == 0) {
            hour = 12;
          } else if (hour > 12) {
            hour -= 12;
          }
        }
        out_.AppendNumber(hour, count == 1 ? 1 : 2);
        break;
      }
      case 'S':
        out_.AppendNumber(Time(level).second, count == 1 ? 1 : 2);
        break;
      case 'Z':
        out_.AppendNumber(Time(level).millisecond, count >= 3 ? 3 : static_cast<int>(count));
        break;
      case 'T':
        Scan(count == 1 ? locale_.ShortTimePattern : locale_.LongTimePattern);
        break;
      case 'C': {
        Scan(locale_.ShortDatePattern);
        const TimeParts& time = Time(level);
        if (time.hour != 0 || time.minute != 0 || time.second != 0) {
          out_.Append(' ');
          Scan(locale_.LongTimePattern);
        }
        break;
      }
      case 'E':
      case 'G':
        Era(specifier, count, level);
        break;
      case 'A':
        at = AmPmOrDayName(format, at - 1, level);
        break;
      case '/':
        out_.Append(locale_.DateSep);
        break;
      case ':':
        out_.Append(locale_.TimeSep);
        break;
      case '\'':
      case '"':
        at = CopyQuoted(format, at);
        break;
      default:
        out_.Append(c);
    }
  }
  --nesting_;
}

// Copies the text after an opening quote up to the same quote character (or the end of the
// format); returns the position after the closing quote.
size_t Formatter::CopyQuoted(std::string_view format, size_t at) {
  const char quote = format[at - 1];
  const size_t begin = at;
  while (at < format.size() && format[at] != quote) at += IsLead(format[at]) ? 2 : 1;
  at = std::min(at, format.size());
  out_.Append(format.substr(begin, at - begin));
  return at < format.size() ? at + 1 : at;
}

// Whether the hour at this point is a 12-hour one: the first unquoted a or A before the
// next h begins an AM/PM form.
bool Formatter::AmPmFormFollows(std::string_view format, size_t at) const {
  bool quoted = false;
  while (at < format.size()) {
    const char c = format[at];
    if (IsLead(c)) {
      at += 2;
      continue;
    }
    if (c == 'h' || c == 'H') return false;
    if (c == '\'' || c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == 'a' || c == 'A')) {
      return IsAmPmForm(format.substr(at));
    }
    ++at;
  }
  return false;
}

// The forms that begin with an A at the position; returns the position after the form.
size_t Formatter::AmPmOrDayName(std::string_view format, size_t at, Level& level) {
  const std::string_view form = format.substr(at);
  const bool beforeNoon = Time(level).hour < 12;
  if (StartsWithIgnoringCase(form, "AM/PM")) {
    out_.Append(beforeNoon ? form.substr(0, 2) : form.substr(3, 2));
    level.twelveHour = true;
    return at + 5;
  }
  if (StartsWithIgnoringCase(form, "A/P")) {
    out_.Append(beforeNoon ? form[0] : form[2]);
    level.twelveHour = true;
    return at + 3;
  }
  if (StartsWithIgnoringCase(form, "AMPM")) {
    out_.Append(beforeNoon ? locale_.AmDesignator : locale_.PmDesignator);
    level.twelveHour = true;
    return at + 4;
  }
  if (StartsWithIgnoringCase(form, "AAAA")) {
    AppendName(locale_.DayNames.data(), 7, Date(level).dayOfWeek);
    return at + 4;
  }
  if (StartsWithIgnoringCase(form, "AAA")) {
    AppendName(locale_.DayAbbrevs.data(), 7, Date(level).dayOfWeek);
    return at + 3;
  }
  out_.Append(form[0]);
  return at + 1;
}

// The year (E) or the era name (G) of the locale's alternative calendar, as the system
// writes them.
void Formatter::Era(char specifier, size_t count, Level& level) {
  const DateParts& date = Date(level);
  if (date.month == 0) return;
  const char* picture = specifier == 'G' ? "gg" : count <= 2 ? "yy" : "yyyy";
  const std::optional<std::string> answer =
      platform::AlternativeCalendarDate(picture, date.year, date.month, date.day);
  if (!answer) return;
  std::string_view text = *answer;
  if (count == 1 && specifier == 'E') {
    if (!text.empty() && text.front() == '0') text.remove_prefix(1);
  } else if (count == 1 && specifier == 'G') {
    if (locale_.PrimaryLanguage == kLangJapanese) {
      text = Characters(text, 0, 1);
    } else if (locale_.PrimaryLanguage == kLangChinese && locale_.SubLanguage == 1 &&
               CharacterCount(text) == 4) {
      text = Characters(text, 2, 2);
    }
  }
  out_.Append(text);
}

}  // namespace

std::string FormatTimestamp(const std::string& format, TDateTime value,
                            const tLocaleFormats& locale) {
  Formatter formatter(value, locale);
  formatter.Scan(format.empty() ? std::string_view("c") : std::string_view(format));
  return formatter.Result();
}

std::string FormatTimestamp(const std::string& format, TDateTime value) {
  return FormatTimestamp(format, value, LocaleFormats);
}
