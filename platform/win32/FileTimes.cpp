#include "platform/FileTimes.h"

#include "platform/win32/WinApi.h"
#include "platform/win32/WinUtil.h"

namespace platform {

int64_t StampedTime(TDateTime localTime) {
  FILETIME time;
  if (!win32::FileTimeFromLocal(localTime, time)) return kNoTime;
  return win32::NanosecondsFromFileTime(time);
}

}  // namespace platform
