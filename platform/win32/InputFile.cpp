#include "platform/InputFile.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "platform/win32/WinUtil.h"

namespace platform {

namespace {

HANDLE Native(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

InputFile::InputFile(const std::string& path) {
  HANDLE file = CreateFileW(win32::Widen(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const int error = static_cast<int>(GetLastError());
    throw EFOpenError("Cannot open file \"" + win32::FullPath(path) + "\". " +
                      SystemErrorMessage(error));
  }
  handle_ = reinterpret_cast<intptr_t>(file);
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(file, &info)) {
    factsWhenOpened_.size = (static_cast<int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    factsWhenOpened_.modified = win32::NanosecondsFromFileTime(info.ftLastWriteTime);
    factsWhenOpened_.created = win32::NanosecondsFromFileTime(info.ftCreationTime);
  }
}

InputFile::~InputFile() { CloseHandle(Native(handle_)); }

int64_t InputFile::Size() const {
  LARGE_INTEGER size;
  return GetFileSizeEx(Native(handle_), &size) ? size.QuadPart : 0;
}

size_t InputFile::Read(void* buffer, size_t count) {
  size_t done = 0;
  while (done < count) {
    const uint64_t offset = static_cast<uint64_t>(position_) + done;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    const DWORD chunk = count - done > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count - done);
    DWORD read = 0;
    if (!ReadFile(Native(handle_), static_cast<char*>(buffer) + done, chunk, &read, &at)) {
      if (GetLastError() != ERROR_HANDLE_EOF) return 0;
      break;
    }
    if (read == 0) break;
    done += read;
  }
  position_ += static_cast<int64_t>(done);
  return done;
}

}  // namespace platform
