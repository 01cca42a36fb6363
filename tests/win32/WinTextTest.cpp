#include "platform/win32/WinText.h"

#include <gtest/gtest.h>

using platform::win32::Narrow;
using platform::win32::Widen;

TEST(WinText, Utf8RoundTripsThroughUtf16) {
  const std::string text = "caf\xC3\xA9 Stra\xC3\x9F" "e \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x93\xB7";
  const std::wstring wide = Widen(text);
  EXPECT_EQ(L'\x00E9', wide[3]);
  EXPECT_EQ(L'\xD83D', wide[wide.size() - 2]);  // the emoji as a surrogate pair
  EXPECT_EQ(text, Narrow(wide));
}

TEST(WinText, InvalidUtf8IsReadAsWindows1252) {
  // A Latin-1 camera model: "Caf\xE9" and the euro sign of code page 1252.
  EXPECT_EQ(std::wstring(L"Caf\x00E9 \x20AC"), Widen("Caf\xE9 \x80"));
  EXPECT_EQ(L"", Widen(""));
  EXPECT_EQ("", Narrow(std::wstring()));
}
