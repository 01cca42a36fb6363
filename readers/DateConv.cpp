#include "readers/DateConv.h"

#include <cstdint>
#include <functional>

namespace {

constexpr size_t kMaxTextLength = 46;

// Characters first..first+count-1 (1-based) of the text, as far as they exist.
std::string Field(const std::string& text, size_t first, size_t count) {
  return first > text.size() ? std::string() : text.substr(first - 1, count);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A whole field as a 32-bit integer: leading blanks, one sign, then decimal digits or
// hexadecimal ones after "$", "x" or "0x". Anything else, and overflow, throws.
int Integer(const std::string& field) {
  const auto bad = [&field] { return EConvertError("'" + field + "' is not a valid integer value"); };
  size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
  int base = 10;
  if (i < field.size() && field[i] == '$') {
    base = 16;
    ++i;
  } else if (i < field.size() && (field[i] == 'x' || field[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < field.size() && field[i] == '0' && (field[i + 1] == 'x' || field[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == field.size()) throw bad();
  int64_t value = 0;
  for (; i < field.size(); ++i) {
    const int digit = HexDigit(field[i]);
    if (digit < 0 || digit >= base) throw bad();
    value = value * base + digit;
    if (value > 0xFFFFFFFFLL) throw bad();
  }
  if (base == 10 && value > (negative ? 2147483648LL : 2147483647LL)) throw bad();
  // A hexadecimal number fills the 32 bits as typed ($FFFFFFFF is -1).
  const auto bits = static_cast<uint32_t>(negative ? -value : value);
  return static_cast<int32_t>(bits);
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
