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

// The part a layout letter takes its digit for, or nullptr for a letter written as is.
int* FieldOf(char letter, platform::CalendarTime& parts) {
  switch (letter) {
    case 'Y':
      return &parts.year;
    case 'M':
      return &parts.month;
    case 'D':
      return &parts.day;
    case 'h':
      return &parts.hour;
    case 'm':
      return &parts.minute;
    case 's':
      return &parts.second;
    case 'f':
      return &parts.millisecond;
    default:
      return nullptr;
  }
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
    int* field = FieldOf(layout[i], parts);
    if (field == nullptr) {
      if (platform::AsciiUpper(name[i]) != platform::AsciiUpper(layout[i])) return false;
    } else if (IsDigit(name[i])) {
      *field = *field * 10 + (name[i] - '0');
    } else {
      return false;
    }
  }
  // Digits that run on make a longer number than the pattern's: no date of it.
  const bool endsInDigits =
      std::string_view("YMDhmsf").find(layout.back()) != std::string_view::npos;
  return !(endsInDigits && name.size() > layout.size() && IsDigit(name[layout.size()]));
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
