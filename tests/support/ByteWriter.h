#pragma once

#include <cstdint>
#include <string>

namespace test {

// Fixed-width numbers as the bytes a file stores them in.
std::string Le16(uint16_t value);
std::string Le32(uint32_t value);
std::string Be16(uint16_t value);
std::string Be32(uint32_t value);

// Bytes from a list of byte values, e.g. Bytes({0xFF, 0xD8}).
std::string Bytes(std::initializer_list<int> values);

}  // namespace test
