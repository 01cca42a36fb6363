#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// Reads a whole text as a 32-bit integer: leading blanks, one sign, then decimal digits,
// or hexadecimal digits after "$", "x" or "0x" (which fill the 32 bits, so $FFFFFFFF is -1).
// False for anything else, the empty text and numbers out of range.
bool TryStrToInt(std::string_view text, int32_t& value);

}  // namespace platform
