#include "platform/Clock.h"

#include "platform/win32/WinApi.h"

namespace platform {

TDateTime LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  CalendarTime calendar;
  calendar.year = now.wYear;
  calendar.month = now.wMonth;
  calendar.day = now.wDay;
  calendar.hour = now.wHour;
  calendar.minute = now.wMinute;
  calendar.second = now.wSecond;
  calendar.millisecond = now.wMilliseconds;
  return EncodeDateTime(calendar);
}

}  // namespace platform
