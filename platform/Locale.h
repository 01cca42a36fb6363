#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The user's date and time conventions, item by item, as the system answers them. Texts are
// in the program's encoding (UTF-8; on POSIX the locale's own bytes). An item the system cannot
// answer (or whose value does not fit in 255 characters) is std::nullopt; an answer may well be an
// empty text.
struct LocaleItems {
  // Windows locale id of the thread (language in the low 16 bits); 0 where there is none.
  uint32_t localeId = 0;

  // The whole separator texts; whether one fits the format language is the caller's rule.
  std::optional<std::string> dateSeparator;
  std::optional<std::string> timeSeparator;

  // Date patterns for the timestamp format language: Windows date pictures as the system
  // gives them, POSIX ones translated from strftime.
  std::optional<std::string> shortDatePattern;
  std::optional<std::string> longDatePattern;

  std::optional<std::string> amDesignator;
  std::optional<std::string> pmDesignator;

  std::array<std::optional<std::string>, 12> monthAbbrevs;  // [0] = January
  std::array<std::optional<std::string>, 12> monthNames;
  std::array<std::optional<std::string>, 7> dayAbbrevs;  // [0] = Sunday
  std::array<std::optional<std::string>, 7> dayNames;

  // Numeric items as the decimal texts Windows gives for them.
  std::optional<std::string> calendarType;      // 1 Gregorian; 3, 4, 5 era calendars
  std::optional<std::string> hourLeadingZero;   // "1": hours with two digits
  std::optional<std::string> clock24;           // "1": 24-hour clock, "0": 12-hour
  std::optional<std::string> markerBeforeTime;  // "1": the AM/PM marker comes first

  // Bytes that begin a two-byte character of the program's text encoding.
  std::bitset<256> leadBytes;
};

// Reads the conventions of the user's locale: on Windows those of the calling thread's
// locale, on POSIX those of the C library's LC_TIME locale named by the environment
// (LC_ALL, LC_TIME, LANG). Never fails; unanswered items stay empty.
LocaleItems ReadLocaleItems();

// Sets the calling thread's locale back to the user's default (after the user changed the
// regional settings). Nothing to do on POSIX, where the environment decides.
void UseUserDefaultLocale();

// A date written by the system with a picture of the alternative (era) calendar of the
// thread's locale: "yy" or "yyyy" for the era year, "gg" for the era name. Empty when the
// system cannot answer, always on POSIX.
std::optional<std::string> AlternativeCalendarDate(const char* picture, int year, int month,
                                                   int day);

}  // namespace platform
