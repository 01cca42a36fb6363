#include "platform/Locale.h"

#include <string>

#include "platform/win32/CodePage.h"
#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"

namespace platform {

namespace {

// Locale answers longer than this count as unanswered.
constexpr int kAnswerLength = 256;

// The program keeps its text in UTF-8, whatever the system's ANSI code page is.
constexpr UINT kTextCodePage = CP_UTF8;

std::optional<std::string> Query(LCID locale, LCTYPE item) {
  wchar_t answer[kAnswerLength];
  const int length = GetLocaleInfoW(locale, item, answer, kAnswerLength);
  if (length <= 0) return std::nullopt;
  return win32::Narrow(std::wstring(answer, static_cast<size_t>(length - 1)));
}

}  // namespace

LocaleItems ReadLocaleItems() {
  const LCID locale = GetThreadLocale();
  LocaleItems items;
  items.localeId = locale;
  // UTF-8 sequences never contain ASCII bytes, so for the program's own text the set
  // stays empty; a double-byte text code page would fill it here.
  if (GetSystemMetrics(SM_DBCSENABLED) != 0) {
    items.leadBytes = win32::LeadBytesOfCodePage(kTextCodePage);
  }

  for (int month = 0; month < 12; ++month) {
    items.monthAbbrevs[month] = Query(locale, LOCALE_SABBREVMONTHNAME1 + month);
    items.monthNames[month] = Query(locale, LOCALE_SMONTHNAME1 + month);
  }
  // Windows counts the days from Monday; the program from Sunday.
  for (int day = 0; day < 7; ++day) {
    const LCTYPE offset = static_cast<LCTYPE>((day + 6) % 7);
    items.dayAbbrevs[day] = Query(locale, LOCALE_SABBREVDAYNAME1 + offset);
    items.dayNames[day] = Query(locale, LOCALE_SDAYNAME1 + offset);
  }

  items.dateSeparator = Query(locale, LOCALE_SDATE);
  items.timeSeparator = Query(locale, LOCALE_STIME);
  items.shortDatePattern = Query(locale, LOCALE_SSHORTDATE);
  items.longDatePattern = Query(locale, LOCALE_SLONGDATE);
  items.amDesignator = Query(locale, LOCALE_S1159);
  items.pmDesignator = Query(locale, LOCALE_S2359);
  items.calendarType = Query(locale, LOCALE_ICALENDARTYPE);
  items.hourLeadingZero = Query(locale, LOCALE_ITLZERO);
  items.clock24 = Query(locale, LOCALE_ITIME);
  items.markerBeforeTime = Query(locale, LOCALE_ITIMEMARKPOSN);
  return items;
}

void UseUserDefaultLocale() { SetThreadLocale(GetUserDefaultLCID()); }

std::optional<std::string> AlternativeCalendarDate(const char* picture, int year, int month,
                                                   int day) {
  SYSTEMTIME date = {};
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  wchar_t answer[kAnswerLength];
  const int length = GetDateFormatW(GetThreadLocale(), DATE_USE_ALT_CALENDAR, &date,
                                    win32::Widen(picture).c_str(), answer, kAnswerLength);
  if (length <= 0) return std::nullopt;
  return win32::Narrow(std::wstring(answer, static_cast<size_t>(length - 1)));
}

}  // namespace platform
