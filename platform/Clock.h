#pragma once

#include "platform/DateTime.h"

namespace platform {

// The computer's current local date and time, with milliseconds.
TDateTime LocalNow();

}  // namespace platform
