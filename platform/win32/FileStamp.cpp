#include "platform/FileStamp.h"

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "platform/win32/WinUtil.h"

namespace platform {

namespace {

HANDLE Native(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

FileStamp::~FileStamp() { Close(); }

bool FileStamp::Open(const std::string& path) {
  Close();
  // Read-only files are never stamped (Wine running as root would open them anyway).
  const DWORD attributes = GetFileAttributesW(win32::Widen(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  HANDLE file = CreateFileW(win32::Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  handle_ = reinterpret_cast<intptr_t>(file);
  return true;
}

bool FileStamp::Facts(FileFacts& facts) {
  BY_HANDLE_FILE_INFORMATION info;
  if (handle_ == -1 || !GetFileInformationByHandle(Native(handle_), &info)) return false;
  facts.size = (static_cast<int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  facts.modified = win32::NanosecondsFromFileTime(info.ftLastWriteTime);
  facts.created = win32::NanosecondsFromFileTime(info.ftCreationTime);
  return true;
}

bool FileStamp::Times(FileTimes& times) {
  FILETIME creation, access, write;
  if (handle_ == -1 || !GetFileTime(Native(handle_), &creation, &access, &write)) return false;
  times.creation = win32::LocalFromFileTime(creation);
  times.lastWrite = win32::LocalFromFileTime(write);
  return true;
}

int FileStamp::Stamp(TDateTime localTime) {
  FILETIME time;
  if (handle_ == -1) return ERROR_INVALID_HANDLE;
  if (!win32::FileTimeFromLocal(localTime, time)) return ERROR_INVALID_PARAMETER;
  return SetFileTime(Native(handle_), &time, nullptr, &time) ? 0 : static_cast<int>(GetLastError());
}

void FileStamp::Close() {
  if (handle_ != -1) CloseHandle(Native(handle_));
  handle_ = -1;
}

}  // namespace platform
