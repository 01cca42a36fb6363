#include "engine/pass/ClockShift.h"

namespace {

constexpr const char* kForm = "[+|-][days.]hh:mm[:ss], such as +1:00, -0:00:37 or +1.00:00";
constexpr int kMaxDayDigits = 5;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits at the cursor (at least one, at most maxDigits) as a number; -1 when there
// are none or more than maxDigits.
int64_t Number(const std::string& text, size_t& at, int maxDigits) {
  const size_t start = at;
  int64_t value = 0;
  while (at < text.size() && IsDigit(text[at])) value = value * 10 + (text[at++] - '0');
  const size_t digits = at - start;
  return digits == 0 || digits > static_cast<size_t>(maxDigits) ? -1 : value;
}

}  // namespace

bool ParseClockShift(const std::string& text, int64_t& milliseconds, std::string& reason) {
  const auto refuse = [&](const std::string& why) {
    reason = why;
    return false;
  };
  const std::string noShift = "\"" + text + "\" is no clock shift: write it as " + kForm;
  if (text.empty()) return refuse(std::string("the clock shift is empty: write it as ") + kForm);
  size_t at = 0;
  int sign = 1;
  if (text[at] == '+' || text[at] == '-') sign = text[at++] == '-' ? -1 : 1;
  // Days come before a dot, hours before a colon.
  const size_t firstStop = text.find_first_of(".:", at);
  int64_t days = 0;
  if (firstStop != std::string::npos && text[firstStop] == '.') {
    days = Number(text, at, kMaxDayDigits);
    if (days < 0 || at != firstStop) return refuse(noShift);
    ++at;
  }
  const int64_t hours = Number(text, at, 2);
  if (hours < 0 || at >= text.size() || text[at] != ':') return refuse(noShift);
  ++at;
  size_t start = at;
  const int64_t minutes = Number(text, at, 2);
  if (minutes < 0 || at - start != 2) return refuse(noShift);
  int64_t seconds = 0;
  if (at < text.size()) {
    if (text[at] != ':') return refuse(noShift);
    start = ++at;
    seconds = Number(text, at, 2);
    if (seconds < 0 || at - start != 2 || at != text.size()) return refuse(noShift);
  }
  if (hours > 23)
    return refuse("\"" + text + "\": hours run from 0 to 23; write days as days.hh:mm");
  if (minutes > 59 || seconds > 59)
    return refuse("\"" + text + "\": minutes and seconds run from 00 to 59");
  milliseconds = sign * (((days * 24 + hours) * 60 + minutes) * 60 + seconds) * 1000;
  return true;
}
