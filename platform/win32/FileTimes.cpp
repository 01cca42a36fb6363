#include "platform/FileTimes.h"

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "platform/win32/WinUtil.h"

namespace platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

bool ReadFileFacts(const std::string& path, FileFacts& facts) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(win32::Widen(path).c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  facts.size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  facts.modified = win32::NanosecondsFromFileTime(data.ftLastWriteTime);
  facts.created = win32::NanosecondsFromFileTime(data.ftCreationTime);
  return true;
}

bool SetExactFileTimes(const std::string& path, int64_t modified, int64_t created) {
  HANDLE file = CreateFileW(win32::Widen(path).c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const FILETIME write = win32::FileTimeFromNanoseconds(modified);
  const FILETIME creation = win32::FileTimeFromNanoseconds(created == kNoTime ? 0 : created);
  const bool ok = SetFileTime(file, created == kNoTime ? nullptr : &creation, nullptr, &write) != 0;
  const DWORD error = GetLastError();
  CloseHandle(file);
  SetLastError(error);
  return ok;
}

int64_t StampedTime(TDateTime localTime) {
  FILETIME time;
  if (!win32::FileTimeFromLocal(localTime, time)) return kNoTime;
  return win32::NanosecondsFromFileTime(time);
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
