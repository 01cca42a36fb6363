#include "platform/TimeZone.h"

#include "platform/win32/WinApi.h"
#include "platform/win32/WinUtil.h"

namespace platform {

TDateTime LocalFromUtc(TDateTime utc) {
  if (utc == 0) return 0;
  const CalendarTime calendar = DecodeDateTime(utc);
  // SYSTEMTIME starts in 1601.
  if (calendar.year < 1601) return 0;
  const SYSTEMTIME parts = win32::ToSystemTime(utc);
  // The zone's rules for that year: FileTimeToLocalFileTime would apply today's offset.
  TIME_ZONE_INFORMATION zone;
  SYSTEMTIME local;
  if (!GetTimeZoneInformationForYear(parts.wYear, nullptr, &zone) ||
      !SystemTimeToTzSpecificLocalTime(&zone, &parts, &local))
    return 0;
  return win32::FromSystemTime(local);
}

}  // namespace platform
