#pragma once

#include <cstdio>
#include <string>

#include "platform/DateTime.h"

namespace test {

// A date-time as tests compare it: "YYYY-MM-DD hh:mm:ss.mmm", or "none" for 0.
inline std::string MomentText(TDateTime value) {
  if (value == 0) return "none";
  const platform::CalendarTime t = platform::DecodeDateTime(value);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day,
                t.hour, t.minute, t.second, t.millisecond);
  return text;
}

}  // namespace test
