#pragma once

#include <cstdint>
#include <string>

// A clock shift as a user writes it: [+|-][days.]hh:mm[:ss], such as +1:00 (one hour
// later), -0:00:37 (37 seconds earlier) or +1.00:00 (a day later). Hours run from 0 to
// 23, minutes and seconds from 00 to 59 and take two digits; no sign means +.
// True with the shift in milliseconds; false with the reason, in words for the user, for
// any other text.
bool ParseClockShift(const std::string& text, int64_t& milliseconds, std::string& reason);
