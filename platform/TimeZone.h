#pragma once

#include "platform/DateTime.h"

namespace platform {

// The wall-clock time of this computer's time zone at the moment `utc` (a UTC date-time),
// with the daylight-saving rule of that moment's date, not of today. 0 for 0 and for a
// moment the system cannot convert.
TDateTime LocalFromUtc(TDateTime utc);

}  // namespace platform
