#include "platform/FileTimes.h"

#include "platform/posix/PosixUtil.h"

namespace platform {

int64_t StampedTime(TDateTime localTime) {
  return posix::Nanoseconds(posix::TimespecFromLocal(localTime));
}

}  // namespace platform
