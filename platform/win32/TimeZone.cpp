#include "platform/TimeZone.h"

#include "platform/win32/WinApi.h"

namespace platform {

TDateTime LocalFromUtc(TDateTime utc) {
  if (utc == 0) return 0;
  const CalendarTime calendar = DecodeDateTime(utc);
  // SYSTEMTIME starts in 1601.
  if (calendar.year < 1601) return 0;
  SYSTEMTIME parts{};
  parts.wYear = static_cast<WORD>(calendar.year);
  parts.wMonth = static_cast<WORD>(calendar.month);
  parts.wDay = static_cast<WORD>(calendar.day);
  parts.wHour = static_cast<WORD>(calendar.hour);
  parts.wMinute = static_cast<WORD>(calendar.minute);
  parts.wSecond = static_cast<WORD>(calendar.second);
  parts.wMilliseconds = static_cast<WORD>(calendar.millisecond);
  // The zone's rules for that year: FileTimeToLocalFileTime would apply today's offset.
  TIME_ZONE_INFORMATION zone;
  SYSTEMTIME local;
  if (!GetTimeZoneInformationForYear(parts.wYear, nullptr, &zone) ||
      !SystemTimeToTzSpecificLocalTime(&zone, &parts, &local))
    return 0;
  CalendarTime result;
  result.year = local.wYear;
  result.month = local.wMonth;
  result.day = local.wDay;
  result.hour = local.wHour;
  result.minute = local.wMinute;
  result.second = local.wSecond;
  result.millisecond = local.wMilliseconds;
  return EncodeDateTime(result);
}

}  // namespace platform
