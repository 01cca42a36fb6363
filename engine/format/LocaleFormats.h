#pragma once

#include <array>
#include <bitset>
#include <string>

#include "platform/Locale.h"

// The user's date and time conventions as the timestamp format language reads them. The
// initial values are those used for every item the system cannot answer.
struct tLocaleFormats {
  // What "/" and ":" print: one character (its UTF-8 bytes), or empty to print nothing.
  std::string DateSep = "/";
  std::string TimeSep = ":";

  std::string ShortDatePattern = "m/d/yy";       // ddddd, and the date of c
  std::string LongDatePattern = "mmmm d, yyyy";  // dddddd
  std::string ShortTimePattern = "h:mm AMPM";    // t
  std::string LongTimePattern = "h:mm:ss AMPM";  // tt, and the time of c

  std::string AmDesignator = "am";
  std::string PmDesignator = "pm";

  // [0] = January.
  std::array<std::string, 12> MonthAbbrevs = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                                              "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
  std::array<std::string, 12> MonthNames = {"Januar",    "Februar", "M\xC3\xA4rz", "April",
                                            "Mai",       "Juni",    "Juli",        "August",
                                            "September", "Oktober", "November",    "Dezember"};
  // [0] = Sunday.
  std::array<std::string, 7> DayAbbrevs = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  std::array<std::string, 7> DayNames = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                         "Donnerstag", "Freitag", "Samstag"};

  // Language of the locale, for the era specifics of Chinese, Japanese and Korean.
  int PrimaryLanguage = 9;  // English
  int SubLanguage = 1;      // United States

  // Bytes that begin a two-byte character; the byte after one is never a specifier.
  std::bitset<256> LeadByteSet;
};

// The process-wide settings that FormatTimestamp reads.
extern tLocaleFormats LocaleFormats;

// The settings for the system's answers: a failed item keeps its initial value; an empty
// or failed name gives the built-in name; a separator of more than one character counts as
// failed; the date patterns of era calendars are rewritten; the time patterns are composed
// from the clock items.
tLocaleFormats LocaleFormatsFrom(const platform::LocaleItems& items);

// Fills LocaleFormats from the user's locale. Run once at start-up, before any formatting.
void LoadLocaleFormats();

// For the notice that the regional settings changed: sets the thread's locale back to the
// user's default, then loads the settings again.
void ReloadLocaleFormats();
