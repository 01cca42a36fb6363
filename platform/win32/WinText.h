#pragma once

#include <string>

// The program's text is UTF-8; Windows wants UTF-16. These convert at the edge.
namespace platform::win32 {

// UTF-8 to UTF-16. Bytes that are not valid UTF-8 (a Latin-1 camera model, say) are
// read as Windows-1252 instead of being dropped.
std::wstring Widen(const std::string& text);

// UTF-16 to UTF-8.
std::string Narrow(const std::wstring& text);
std::string Narrow(const wchar_t* text);

}  // namespace platform::win32
