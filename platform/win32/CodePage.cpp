#include "platform/win32/CodePage.h"

#include "platform/win32/WinApi.h"

namespace platform::win32 {

std::bitset<256> LeadBytesOfCodePage(unsigned codePage) {
  std::bitset<256> leadBytes;
  CPINFO info;
  if (!GetCPInfo(codePage, &info)) return leadBytes;
  // Pairs of first and last byte, ended by a pair of zeros.
  for (int i = 0; i + 1 < MAX_LEADBYTES; i += 2) {
    const unsigned first = info.LeadByte[i];
    const unsigned last = info.LeadByte[i + 1];
    if (first == 0 && last == 0) break;
    for (unsigned byte = first; byte <= last && byte < 256; ++byte) leadBytes.set(byte);
  }
  return leadBytes;
}

}  // namespace platform::win32
