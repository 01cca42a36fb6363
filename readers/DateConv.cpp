#include "readers/DateConv.h"

#include <cstdint>
#include <functional>

#include "platform/Number.h"

namespace {

constexpr size_t kMaxTextLength = 46;

// Characters first..first+count-1 (1-based) of the text, as far as they exist.
std::string Field(const std::string& text, size_t first, size_t count) {
  return first > text.size() ? std::string() : text.substr(first - 1, count);
}

// A whole field as an integer; anything else is a conversion failure.
int Integer(const std::string& field) {
  int32_t value = 0;
  if (!platform::TryStrToInt(field, value))
    throw EConvertError("'" + field + "' is not a valid integer value");
  return value;
}

struct Reading {
  int year, month, day, hour, minute, second;
};

TDateTime Compose(const Reading& r) {
  TDateTime date = 0;
  TDateTime time = 0;
  if (!platform::TryEncodeDate(r.year, r.month, r.day, date) ||
      !platform::TryEncodeTime(r.hour, r.minute, r.second, 0, time))
    throw EConvertError("Invalid date or time");
  return date < 0 ? date - time : date + time;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

int tDateConv::MonthFromName(const std::string& name) {
  static const char* const kMonths[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  std::string upper = name;
  for (char& c : upper) c = Upper(c);
  for (int i = 0; i < 12; ++i)
    if (upper == kMonths[i]) return i + 1;
  throw EConvertError("Invalid Month string");
}

void tDateConv::Parse() {
  const std::string s = Text.substr(0, kMaxTextLength);
  const auto number = [&](size_t first, size_t count) { return Integer(Field(s, first, count)); };

  // A: 2008:06:15 14:05:09 (any separators).
  const auto layoutA = [&] {
    return Reading{number(1, 4), number(6, 2), number(9, 2), number(12, 2), number(15, 2), number(18, 2)};
  };
  // B: 2008:06:15, 14:05 (two characters between date and time, no seconds).
  const auto layoutB = [&] {
    return Reading{number(1, 4), number(6, 2), number(9, 2), number(13, 2), number(16, 2), 0};
  };
  // C: Sun Jun 15 14:05:09 2008, as RIFF date chunks hold it.
  const auto layoutC = [&] {
    return Reading{number(21, 4), MonthFromName(Field(s, 5, 3)), number(9, 2),
                   number(12, 2), number(15, 2), number(18, 2)};
  };
  // D: 2008:06:15 02:05PM or 2008:06:15 14:05.
  const auto layoutD = [&] {
    return Reading{number(1, 4), number(6, 2), number(9, 2), number(12, 2), number(15, 2), 0};
  };

  const std::function<Reading()> layouts[] = {layoutA, layoutB, layoutC};
  for (const auto& layout : layouts) {
    try {
      DateTime = Compose(layout());
      return;
    } catch (const EConvertError&) {
    }
  }
  try {
    Reading r = layoutD();
    DateTime = Compose(r);
    std::string marker = Field(s, 17, 2);
    for (char& c : marker) c = Upper(c);
    // 12-hour readings: 1 PM to 11 PM move to the afternoon; 12 AM is midnight.
    if (marker == "PM" && r.hour >= 1 && r.hour <= 11) {
      r.hour += 12;
      DateTime = Compose(r);
    } else if (marker == "AM" && r.hour == 12) {
      r.hour = 0;
      DateTime = Compose(r);
    }
    return;
  } catch (const EConvertError&) {
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
