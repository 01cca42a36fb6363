#include "readers/FileNameDate.h"

#include <cstdint>

#include "platform/AsciiCase.h"
#include "platform/TimeZone.h"

namespace {

// A pattern: a prefix as written, then a layout whose letters Y M D h m s f each take one
// digit of their field and whose other characters must be there as written. Letter case
// is ignored.
struct NamePattern {
  const char* prefix;
  const char* layout;
  bool utc;
};

constexpr NamePattern kPatterns[] = {
    {"IMG_", "YYYYMMDD_hhmmss", false},
    {"VID_", "YYYYMMDD_hhmmss", false},
    {"PXL_", "YYYYMMDD_hhmmssfff", true},
    {"", "YYYYMMDD_hhmmss", false},
    {"IMG-", "YYYYMMDD-WA", false},
    {"VID-", "YYYYMMDD-WA", false},
    {"Screenshot_", "YYYY-MM-DD-hh-mm-ss", false},
    {"Screenshot_", "YYYYMMDD-hhmmss", false},
    {"Screenshot ", "YYYY-MM-DD at hh.mm.ss", false},
    {"Screen Shot ", "YYYY-MM-DD at hh.mm.ss", false},
    {"signal-", "YYYY-MM-DD-hhmmss", false},
    {"photo_", "YYYY-MM-DD_hh-mm-ss", false},
    {"", "YYYY-MM-DD hh.mm.ss", false},
    {"", "YYYY-MM-DD_hh-mm-ss", false},
};
constexpr std::string_view kFacebookPrefix = "FB_IMG_";
constexpr int kFacebookDigits = 13;
constexpr int kEarliestYear = 1990;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsField(char c) {
  return c == 'Y' || c == 'M' || c == 'D' || c == 'h' || c == 'm' || c == 's' || c == 'f';
}

bool StartsWith(std::string_view name, std::string_view prefix) {
  return name.size() >= prefix.size() &&
         platform::SameIgnoringCase(name.substr(0, prefix.size()), prefix);
}

// The calendar parts the pattern reads from the start of the name; false when it does
// not match there.
bool Read(std::string_view name, const NamePattern& pattern, platform::CalendarTime& parts) {
  if (!StartsWith(name, pattern.prefix)) return false;
  name.remove_prefix(std::string_view(pattern.prefix).size());
  const std::string_view layout = pattern.layout;
  if (name.size() < layout.size()) return false;
  parts = platform::CalendarTime();
  for (size_t i = 0; i < layout.size(); ++i) {
    const char want = layout[i];
    const char c = name[i];
    if (!IsField(want)) {
      if (platform::AsciiUpper(c) != platform::AsciiUpper(want)) return false;
      continue;
    }
    if (!IsDigit(c)) return false;
    const int digit = c - '0';
    switch (want) {
      case 'Y':
        parts.year = parts.year * 10 + digit;
        break;
      case 'M':
        parts.month = parts.month * 10 + digit;
        break;
      case 'D':
        parts.day = parts.day * 10 + digit;
        break;
      case 'h':
        parts.hour = parts.hour * 10 + digit;
        break;
      case 'm':
        parts.minute = parts.minute * 10 + digit;
        break;
      case 's':
        parts.second = parts.second * 10 + digit;
        break;
      default:
        parts.millisecond = parts.millisecond * 10 + digit;
        break;
    }
  }
  // Digits that run on make a longer number than the pattern's: no date of it.
  return !(IsField(layout.back()) && name.size() > layout.size() && IsDigit(name[layout.size()]));
}

// The moment of valid parts in range; 0 for anything else.
TDateTime Moment(const platform::CalendarTime& parts, bool utc, TDateTime latest) {
  if (parts.year < kEarliestYear) return 0;
  TDateTime moment = platform::EncodeDateTime(parts);
  if (moment != 0 && utc) {
    const int64_t seconds = platform::DaysFromCivil(parts.year, parts.month, parts.day) * 86400 +
                            parts.hour * 3600 + parts.minute * 60 + parts.second;
    moment = platform::LocalFromUnixMilliseconds(seconds * 1000 + parts.millisecond);
  }
  return moment > 0 && moment <= latest ? moment : 0;
}

// FB_IMG_ and the milliseconds since 1970 (UTC) of the moment the picture was saved.
TDateTime FacebookMoment(std::string_view name, TDateTime latest) {
  if (!StartsWith(name, kFacebookPrefix) || name.size() < kFacebookPrefix.size() + kFacebookDigits)
    return 0;
  const std::string_view digits = name.substr(kFacebookPrefix.size(), kFacebookDigits);
  int64_t milliseconds = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return 0;
    milliseconds = milliseconds * 10 + (c - '0');
  }
  const size_t after = kFacebookPrefix.size() + kFacebookDigits;
  if (name.size() > after && IsDigit(name[after])) return 0;
  const TDateTime moment = platform::LocalFromUnixMilliseconds(milliseconds);
  if (moment <= 0 || moment > latest) return 0;
  return platform::DecodeDateTime(moment).year >= kEarliestYear ? moment : 0;
}

}  // namespace

TDateTime DateFromFileName(std::string_view name, TDateTime latest) {
  platform::CalendarTime parts;
  for (const NamePattern& pattern : kPatterns)
    if (Read(name, pattern, parts)) {
      const TDateTime moment = Moment(parts, pattern.utc, latest);
      if (moment != 0) return moment;
    }
  return FacebookMoment(name, latest);
}
