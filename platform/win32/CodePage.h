#pragma once

#include <bitset>

namespace platform::win32 {

// The bytes that begin a two-byte character in the code page, from its lead-byte ranges.
// Empty for single-byte code pages, for UTF-8 and for code pages the system does not know.
std::bitset<256> LeadBytesOfCodePage(unsigned codePage);

}  // namespace platform::win32
