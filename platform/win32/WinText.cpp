#include "platform/win32/WinText.h"

#include <cwchar>

#include "platform/win32/WinApi.h"

namespace platform::win32 {

namespace {

std::wstring Convert(UINT codePage, DWORD flags, const std::string& text) {
  const int length = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring result(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), result.data(),
                      length);
  return result;
}

}  // namespace

std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  std::wstring result = Convert(CP_UTF8, MB_ERR_INVALID_CHARS, text);
  if (result.empty()) result = Convert(1252, 0, text);
  return result;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string result(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length,
                      nullptr, nullptr);
  return result;
}

std::string Narrow(const wchar_t* text) {
  return text == nullptr ? std::string() : Narrow(std::wstring(text, std::wcslen(text)));
}

}  // namespace platform::win32
