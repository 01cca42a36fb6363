#include "platform/Clock.h"

#include "platform/win32/WinApi.h"
#include "platform/win32/WinUtil.h"

namespace platform {

TDateTime LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return win32::FromSystemTime(now);
}

}  // namespace platform
