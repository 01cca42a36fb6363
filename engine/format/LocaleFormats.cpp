#include "engine/format/LocaleFormats.h"

#include <string_view>

tLocaleFormats LocaleFormats;

namespace {

constexpr int kLangChinese = 4;
constexpr int kLangJapanese = 17;
constexpr int kLangKorean = 18;

// Decimal text as Windows writes numeric items; anything else reads as the given value.
int ReadNumber(const std::optional<std::string>& text, int unusable) {
  if (!text || text->empty()) return unusable;
  std::string_view digits = *text;
  const bool negative = digits.front() == '-';
  if (digits.front() == '-' || digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty() || digits.size() > 9) return unusable;
  int value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return unusable;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

// True when the text is exactly one character: one byte, or one UTF-8 sequence.
bool IsOneCharacter(std::string_view text) {
  if (text.size() == 1) return true;
  const auto lead = static_cast<unsigned char>(text.empty() ? 0 : text[0]);
  size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (length == 0 || text.size() != length) return false;
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return false;
  }
  return true;
}

void TakeSeparator(const std::optional<std::string>& answer, std::string& separator) {
  if (answer && (answer->empty() || IsOneCharacter(*answer))) separator = *answer;
}

void TakeText(const std::optional<std::string>& answer, std::string& text) {
  if (answer) text = *answer;
}

// Names never stay empty: an empty answer counts as none.
template <size_t N>
void TakeNames(const std::array<std::optional<std::string>, N>& answers,
               std::array<std::string, N>& names) {
  for (size_t i = 0; i < N; ++i) {
    if (answers[i] && !answers[i]->empty()) names[i] = *answers[i];
  }
}

bool StartsWithIgnoringCase(std::string_view text, size_t at, std::string_view lowerWord) {
  if (text.size() - at < lowerWord.size()) return false;
  for (size_t i = 0; i < lowerWord.size(); ++i) {
    char c = text[at + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lowerWord[i]) return false;
  }
  return true;
}

// Era calendars count years from the era's start: the year specifiers become era years and
// the era name gets its long form.
std::string ToEraPattern(std::string_view pattern, const std::bitset<256>& leadBytes) {
  std::string out;
  size_t i = 0;
  while (i < pattern.size()) {
    if (StartsWithIgnoringCase(pattern, i, "gg")) {
      out += "ggg";
      i += 2;
    } else if (StartsWithIgnoringCase(pattern, i, "yyyy")) {
      out += "eeee";
      i += 4;
    } else if (StartsWithIgnoringCase(pattern, i, "yy")) {
      out += "ee";
      i += 2;
    } else if (pattern[i] == 'y' || pattern[i] == 'Y') {
      out += 'e';
      ++i;
    } else if (leadBytes[static_cast<unsigned char>(pattern[i])] && i + 1 < pattern.size()) {
      out.append(pattern.substr(i, 2));
      i += 2;
    } else {
      out += pattern[i++];
    }
  }
  return out;
}

std::string WithoutEraNames(std::string_view pattern) {
  std::string out;
  for (const char c : pattern) {
    if (c != 'g' && c != 'G') out += c;
  }
  return out;
}

std::string ForCalendar(const std::string& pattern, int calendarType, int primaryLanguage,
                        const std::bitset<256>& leadBytes) {
  if (calendarType == 3 || calendarType == 4 || calendarType == 5) {
    return ToEraPattern(pattern, leadBytes);
  }
  if (primaryLanguage == kLangChinese || primaryLanguage == kLangJapanese ||
      primaryLanguage == kLangKorean) {
    return WithoutEraNames(pattern);
  }
  return pattern;
}

}  // namespace

tLocaleFormats LocaleFormatsFrom(const platform::LocaleItems& items) {
  tLocaleFormats formats;
  const uint32_t language = items.localeId & 0xFFFF;
  if (language != 0) {
    formats.PrimaryLanguage = static_cast<int>(language & 0x3FF);
    formats.SubLanguage = static_cast<int>(language >> 10);
  }
  formats.LeadByteSet = items.leadBytes;

  TakeNames(items.monthAbbrevs, formats.MonthAbbrevs);
  TakeNames(items.monthNames, formats.MonthNames);
  TakeNames(items.dayAbbrevs, formats.DayAbbrevs);
  TakeNames(items.dayNames, formats.DayNames);

  TakeSeparator(items.dateSeparator, formats.DateSep);
  TakeSeparator(items.timeSeparator, formats.TimeSep);
  TakeText(items.shortDatePattern, formats.ShortDatePattern);
  TakeText(items.longDatePattern, formats.LongDatePattern);
  TakeText(items.amDesignator, formats.AmDesignator);
  TakeText(items.pmDesignator, formats.PmDesignator);

  const int calendarType = ReadNumber(items.calendarType, 1);
  formats.ShortDatePattern = ForCalendar(formats.ShortDatePattern, calendarType,
                                         formats.PrimaryLanguage, formats.LeadByteSet);
  formats.LongDatePattern = ForCalendar(formats.LongDatePattern, calendarType,
                                        formats.PrimaryLanguage, formats.LeadByteSet);

  // The mm after the hour prints minutes; the colon prints the time separator.
  const std::string hour = ReadNumber(items.hourLeadingZero, 0) != 0 ? "hh" : "h";
  std::string prefix;
  std::string suffix;
  if (ReadNumber(items.clock24, 0) == 0) {
    if (ReadNumber(items.markerBeforeTime, 0) != 0) {
      prefix = "AMPM ";
    } else {
      suffix = " AMPM";
    }
  }
  formats.ShortTimePattern = prefix + hour + ":mm" + suffix;
  formats.LongTimePattern = prefix + hour + ":mm:ss" + suffix;
  return formats;
}

void LoadLocaleFormats() { LocaleFormats = LocaleFormatsFrom(platform::ReadLocaleItems()); }

void ReloadLocaleFormats() {
  platform::UseUserDefaultLocale();
  LoadLocaleFormats();
}
