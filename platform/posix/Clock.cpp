#include "platform/Clock.h"

#include <ctime>

#include "platform/posix/PosixUtil.h"

namespace platform {

TDateTime LocalNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return posix::LocalFromTimespec(now);
}

}  // namespace platform
