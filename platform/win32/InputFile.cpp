#include "platform/InputFile.h"

#include "platform/Errors.h"
#include "platform/FileOperations.h"
#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "platform/win32/WinUtil.h"

namespace platform {

namespace {

HANDLE Native(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::string Reason(const std::string& path, DWORD error) {
  return "\"" + win32::FullPath(path) + "\". " + SystemErrorMessage(static_cast<int>(error));
}

}  // namespace

InputFile::InputFile(const std::string& path) : path_(path) {
  HANDLE file = CreateFileW(win32::Widen(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    throw EFOpenError("Cannot open file " + Reason(path, GetLastError()));
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) {
    const DWORD error = GetLastError();
    CloseHandle(file);
    throw EFOpenError("Cannot open file " + Reason(path, error));
  }
  handle_ = reinterpret_cast<intptr_t>(file);
  factsWhenOpened_.size = (static_cast<int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  factsWhenOpened_.modified = win32::NanosecondsFromFileTime(info.ftLastWriteTime);
  factsWhenOpened_.created = win32::NanosecondsFromFileTime(info.ftCreationTime);
}

InputFile::~InputFile() { CloseHandle(Native(handle_)); }

size_t InputFile::ReadAt(int64_t position, void* buffer, size_t count) {
  if (position < 0) position = 0;
  size_t done = 0;
  while (done < count) {
    const uint64_t offset = static_cast<uint64_t>(position) + done;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    const DWORD chunk = count - done > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count - done);
    DWORD read = 0;
    if (!ReadFile(Native(handle_), static_cast<char*>(buffer) + done, chunk, &read, &at)) {
      const DWORD error = GetLastError();
      if (error == ERROR_HANDLE_EOF) break;
      throw EReadError("Cannot read file " + Reason(path_, error));
    }
    if (read == 0) break;
    done += read;
  }
  return done;
}

}  // namespace platform
