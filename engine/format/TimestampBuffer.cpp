#include "engine/format/TimestampBuffer.h"

#include <algorithm>
#include <cstring>

void TimestampBuffer::Append(std::string_view text) {
  const size_t room = kCapacity - length_;
  if (text.size() > room) cut_ = true;
  const size_t count = std::min(text.size(), room);
  if (count == 0) return;
  std::memcpy(data_ + length_, text.data(), count);
  length_ += count;
}

void TimestampBuffer::AppendNumber(uint32_t number, int minDigits) {
  char digits[16];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number != 0);
  while (count < minDigits && count < static_cast<int>(sizeof digits)) digits[count++] = '0';
  std::reverse(digits, digits + count);
  Append(std::string_view(digits, static_cast<size_t>(count)));
}

std::string TimestampBuffer::Text() const {
  size_t length = length_;
  if (cut_) {
    // A UTF-8 sequence whose lead byte made it in but not all of its continuation bytes.
    size_t lead = length;
    while (lead > 0 && length - lead < 4 &&
           (static_cast<unsigned char>(data_[lead - 1]) & 0xC0) == 0x80) {
      --lead;
    }
    if (lead > 0) {
      const auto first = static_cast<unsigned char>(data_[lead - 1]);
      const size_t needed = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
      if (needed > 1 && length - (lead - 1) < needed) length = lead - 1;
    }
  }
  return std::string(data_, length);
}
