#include "platform/Errors.h"

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"

namespace platform {

int SystemCode(KnownError error) {
  switch (error) {
    case KnownError::DiskFull:
      return ERROR_DISK_FULL;
    case KnownError::CrossDevice:
      return ERROR_NOT_SAME_DEVICE;
    case KnownError::InputOutput:
      return ERROR_IO_DEVICE;
    case KnownError::FileExists:
      return ERROR_FILE_EXISTS;
  }
  return ERROR_IO_DEVICE;
}

int LastErrorCode() { return static_cast<int>(GetLastError()); }

std::string SystemErrorMessage(int code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text;
  if (length > 0 && buffer != nullptr) text = win32::Narrow(std::wstring(buffer, length));
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.pop_back();
  if (text.empty()) text = "System error " + std::to_string(code);
  return text;
}

}  // namespace platform
