#include "platform/FileTimes.h"

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

bool FileStamp::Read(FileTimes& times) const {
  FILETIME creation, access, write;
  if (handle_ == -1 || !GetFileTime(Native(handle_), &creation, &access, &write)) return false;
  times.creation = win32::LocalFromFileTime(creation);
  times.lastWrite = win32::LocalFromFileTime(write);
  return true;
}

bool FileStamp::Write(TDateTime localTime) {
  FILETIME time;
  if (handle_ == -1) return false;
  if (!win32::FileTimeFromLocal(localTime, time)) return false;
  return SetFileTime(Native(handle_), &time, nullptr, &time) != 0;
}

void FileStamp::Close() {
  if (handle_ != -1) CloseHandle(Native(handle_));
  handle_ = -1;
}

bool GetFileTimes(const std::string& path, FileTimes& times) {
  HANDLE file = CreateFileW(win32::Widen(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME creation, access, write;
  const bool ok = GetFileTime(file, &creation, &access, &write) != 0;
  CloseHandle(file);
  if (!ok) return false;
  times.creation = win32::LocalFromFileTime(creation);
  times.lastWrite = win32::LocalFromFileTime(write);
  return true;
}

}  // namespace platform
