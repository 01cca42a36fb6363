#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The fixed output of one FormatTimestamp call, shared by the user's format and the locale
// patterns it expands. What does not fit is dropped without notice.
class TimestampBuffer {
 public:
  static constexpr size_t kCapacity = 256;

  void Append(std::string_view text);
  void Append(char c) { Append(std::string_view(&c, 1)); }
  // The number in decimal with at least minDigits digits, zero-padded on the left.
  void AppendNumber(uint32_t number, int minDigits);

  // The text so far. When a piece was cut, a character it cut in half is dropped too.
  std::string Text() const;

 private:
  char data_[kCapacity];
  size_t length_ = 0;
  bool cut_ = false;
};
