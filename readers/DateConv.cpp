#include "readers/DateConv.h"

#include <cstdint>
#include <string_view>

#include "platform/AsciiCase.h"
#include "platform/Number.h"

namespace {

constexpr size_t kMaxTextLength = 46;

// Characters first..first+count-1 (1-based) of the text, as far as they exist.
std::string_view Field(std::string_view text, size_t first, size_t count) {
  return first > text.size() ? std::string_view() : std::string_view(text).substr(first - 1, count);
}

// The field as an integer; false when it is none (an empty field included).
bool Number(std::string_view text, size_t first, size_t count, int& value) {
  const std::string_view field = Field(text, first, count);
  // Plain digits, as nearly every camera writes them, need no general reading.
  int digits = 0;
  size_t i = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
    digits = digits * 10 + (field[i] - '0');
  if (i == field.size() && i > 0 && i <= 4) {
    value = digits;
    return true;
  }
  int32_t number = 0;
  if (!platform::TryStrToInt(field, number)) return false;
  value = number;
  return true;
}

struct Reading {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The value of a reading; false when the date or time is out of range.
bool Compose(const Reading& r, TDateTime& value) {
  TDateTime date = 0;
  TDateTime time = 0;
  if (!platform::TryEncodeDate(r.year, r.month, r.day, date) ||
      !platform::TryEncodeTime(r.hour, r.minute, r.second, 0, time))
    return false;
  // Before 1899-12-30 the value is negative and the time of day counts away from zero.
  value = date < 0 ? date - time : date + time;
  return true;
}

}  // namespace

int tDateConv::MonthFromName(const std::string& name) {
  static const char* const kMonths[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  const std::string upper = platform::AsciiUpper(name);
  for (int i = 0; i < 12; ++i)
    if (upper == kMonths[i]) return i + 1;
  throw EConvertError("Invalid Month string");
}

// Tries the fixed layouts in order; the first whose fields all convert into a valid date
// and time wins. Failures are plain results here (no exceptions), as most texts a camera
// writes fail a layout or two before one fits.
void tDateConv::Parse() {
  const std::string_view s = std::string_view(Text).substr(0, kMaxTextLength);
  Reading r;
  TDateTime value = 0;

  // A: 2008:06:15 14:05:09 (any separators).
  if (Number(s, 1, 4, r.year) && Number(s, 6, 2, r.month) && Number(s, 9, 2, r.day) &&
      Number(s, 12, 2, r.hour) && Number(s, 15, 2, r.minute) && Number(s, 18, 2, r.second) &&
      Compose(r, value)) {
    DateTime = value;
    return;
  }
  // B: 2008:06:15, 14:05 (two characters between date and time, no seconds).
  r = Reading();
  if (Number(s, 1, 4, r.year) && Number(s, 6, 2, r.month) && Number(s, 9, 2, r.day) &&
      Number(s, 13, 2, r.hour) && Number(s, 16, 2, r.minute) && Compose(r, value)) {
    DateTime = value;
    return;
  }
  // C: Sun Jun 15 14:05:09 2008, as RIFF date chunks hold it.
  r = Reading();
  if (Number(s, 21, 4, r.year) && Number(s, 9, 2, r.day) && Number(s, 12, 2, r.hour) &&
      Number(s, 15, 2, r.minute) && Number(s, 18, 2, r.second)) {
    bool named = true;
    try {
      r.month = MonthFromName(std::string(Field(s, 5, 3)));
    } catch (const EConvertError&) {
      named = false;
    }
    if (named && Compose(r, value)) {
      DateTime = value;
      return;
    }
  }
  // D: 2008:06:15 02:05PM or 2008:06:15 14:05.
  r = Reading();
  if (Number(s, 1, 4, r.year) && Number(s, 6, 2, r.month) && Number(s, 9, 2, r.day) &&
      Number(s, 12, 2, r.hour) && Number(s, 15, 2, r.minute) && Compose(r, value)) {
    const std::string marker = platform::AsciiUpper(std::string(Field(s, 17, 2)));
    // 12-hour readings: 1 PM to 11 PM move to the afternoon; 12 AM is midnight.
    if (marker == "PM" && r.hour >= 1 && r.hour <= 11) r.hour += 12;
    if (marker == "AM" && r.hour == 12) r.hour = 0;
    Compose(r, value);
    DateTime = value;
    return;
  }
  DateTime = 0;
}

void tDateConv::Create() {
  Text.clear();
  DateTime = 0;
}

void tDateConv::Create(const std::string& text) {
  Create();
  SetText(text);
}

void tDateConv::Create(TDateTime value) {
  Create();
  DateTime = value;
}

void tDateConv::SetText(const std::string& text) {
  Text = text;
  Parse();
}
