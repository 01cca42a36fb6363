#include "platform/FileOperations.h"

#include <vector>

#include "platform/Path.h"
#include "platform/win32/PrefetchGuard.h"
#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "platform/win32/WinUtil.h"

namespace platform {

namespace {

using win32::Narrow;
using win32::Widen;

constexpr DWORD kSkippedAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

class FindHandle {
 public:
  FindHandle(const std::string& pattern, WIN32_FIND_DATAW& data)
      : handle_(FindFirstFileExW(Widen(pattern).c_str(), FindExInfoBasic, &data,
                                 FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH)) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAW& data) { return FindNextFileW(handle_, &data) != 0; }

 private:
  HANDLE handle_;
};

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()); }

// Makes a file writable again so it can be deleted (a copy carries read-only from its source).
void DeleteEvenIfReadOnly(const std::wstring& path) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path.c_str());
}

constexpr wchar_t kTemporaryPrefix[] = L".stampel-tmp-";
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  void Close() {
    if (Valid()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

std::wstring FolderOf(const std::string& path) {
  const std::string folder = ExtractFilePath(path);
  return folder.empty() ? std::wstring() : Widen(folder);
}

// A new hidden ".stampel-tmp-" file in the folder, open for writing. Only reading is
// shared, so RemoveStaleTemporaries cannot take it while this handle is open.
HANDLE CreateTemporary(const std::wstring& folder, std::wstring& name) {
  LARGE_INTEGER seed;
  QueryPerformanceCounter(&seed);
  uint64_t value =
      static_cast<uint64_t>(seed.QuadPart) ^ (static_cast<uint64_t>(GetCurrentProcessId()) << 40);
  for (int attempt = 0; attempt < 100; ++attempt) {
    value = value * 6364136223846793005ULL + 1442695040888963407ULL;
    wchar_t suffix[17];
    swprintf(suffix, 17, L"%016llx", static_cast<unsigned long long>(value));
    name = folder + kTemporaryPrefix + suffix;
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

bool CopyBytes(HANDLE in, HANDLE out) {
  std::vector<char> buffer(1 << 20);
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(in, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
      return false;
    if (got == 0) return true;
    for (DWORD done = 0; done < got;) {
      DWORD written = 0;
      if (!WriteFile(out, buffer.data() + done, got - done, &written, nullptr)) return false;
      done += written;
    }
  }
}

// Copies source to a held temporary file in the target's folder, flushed, with the
// source's last-write time (and creation time when keepCreation), then gives it the
// source's attributes and the target's name. 0 or the system's code; on failure the
// temporary file is gone again.
DWORD CopyThroughTemporary(const std::string& source, const std::string& target, bool replace,
                           bool keepCreation) {
  Handle in(CreateFileW(Widen(source).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!in.Valid()) return GetLastError();
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(in.get(), &info)) return GetLastError();
  std::wstring temporary;
  Handle out(CreateTemporary(FolderOf(target), temporary));
  if (!out.Valid()) return GetLastError();
  DWORD error = 0;
  if (!CopyBytes(in.get(), out.get()) ||
      !SetFileTime(out.get(), keepCreation ? &info.ftCreationTime : nullptr, nullptr,
                   &info.ftLastWriteTime) ||
      !FlushFileBuffers(out.get()))
    error = GetLastError();
  out.Close();
  in.Close();
  constexpr DWORD kCarried = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                             FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                             FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (error == 0) {
    const DWORD attributes = info.dwFileAttributes & kCarried;
    SetFileAttributesW(temporary.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    const std::wstring wideTarget = Widen(target);
    const win32::PrefetchClaim claim(wideTarget);
    if (!MoveFileExW(temporary.c_str(), wideTarget.c_str(), flags)) {
      error = GetLastError();
      // The target appeared meanwhile: report it as the copy's own "file exists".
      if (error == ERROR_ALREADY_EXISTS) error = ERROR_FILE_EXISTS;
    }
  }
  if (error != 0) {
    DeleteEvenIfReadOnly(temporary);
    SetLastError(error);
  }
  return error;
}

}  // namespace

std::vector<std::string> ListFiles(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data;
  FindHandle find(pattern, data);
  if (!find.Valid()) return names;
  do {
    if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | kSkippedAttributes)) continue;
    names.push_back(Narrow(data.cFileName));
  } while (find.Next(data));
  return names;
}

std::vector<std::string> ListSubdirectories(const std::string& directory) {
  std::vector<std::string> names;
  std::string pattern = directory;
  if (!pattern.empty() && !IsPathDelimiter(pattern.back())) pattern += '\\';
  pattern += "*.*";
  WIN32_FIND_DATAW data;
  FindHandle find(pattern, data);
  if (!find.Valid()) return names;
  do {
    const DWORD attributes = data.dwFileAttributes;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (attributes & (kSkippedAttributes | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    names.push_back(Narrow(name));
  } while (find.Next(data));
  return names;
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE file = CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool ok = GetFileInformationByHandle(file, &info) != 0;
  CloseHandle(file);
  return ok;
}

}  // namespace

bool IsSameFile(const std::string& first, const std::string& second) {
  BY_HANDLE_FILE_INFORMATION a, b;
  return FileIdentity(first, a) && FileIdentity(second, b) &&
         a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

bool ForceDirectories(const std::string& path) {
  std::string directory = path;
  while (!directory.empty() && directory.back() == '\\') directory.pop_back();
  if (directory.empty()) return false;
  if (directory.size() < 3 || DirectoryExists(directory)) return true;  // "C:" and the like
  const std::string parent = ExtractFilePath(directory);
  if (!parent.empty() && parent != directory && !ForceDirectories(parent)) return false;
  if (CreateDirectoryW(Widen(directory).c_str(), nullptr)) return true;
  return GetLastError() == ERROR_ALREADY_EXISTS && DirectoryExists(directory);
}

bool RemoveFile(const std::string& path, bool evenIfReadOnly) {
  const std::wstring wide = Widen(path);
  const win32::PrefetchClaim claim(wide);
  if (DeleteFileW(wide.c_str())) return true;
  const DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (!evenIfReadOnly || error != ERROR_ACCESS_DENIED || attributes == INVALID_FILE_ATTRIBUTES ||
      !(attributes & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(error);
    return false;
  }
  SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  if (DeleteFileW(wide.c_str())) return true;
  const DWORD again = GetLastError();
  SetFileAttributesW(wide.c_str(), attributes);
  SetLastError(again);
  return false;
}

bool RemoveEmptyDirectory(const std::string& path) {
  return RemoveDirectoryW(Widen(path).c_str()) != 0;
}

int CopyFileSafely(const std::string& source, const std::string& target, bool replace) {
  if (!replace && Attributes(target) != INVALID_FILE_ATTRIBUTES) {
    SetLastError(ERROR_FILE_EXISTS);
    return ERROR_FILE_EXISTS;
  }
  return static_cast<int>(CopyThroughTemporary(source, target, replace, false));
}

int MoveFileSafely(const std::string& source, const std::string& target, bool replace) {
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  const std::wstring from = Widen(source);
  const std::wstring to = Widen(target);
  const win32::PrefetchClaim claim(from, to);
  if (MoveFileExW(from.c_str(), to.c_str(), flags)) return 0;
  DWORD error = GetLastError();
  if (error != ERROR_NOT_SAME_DEVICE) return static_cast<int>(error);
  // Another volume: the system's own copy would write straight to the target's name. The
  // source goes only once its copy is complete and on disk.
  if (!replace && Attributes(target) != INVALID_FILE_ATTRIBUTES) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return ERROR_ALREADY_EXISTS;
  }
  error = CopyThroughTemporary(source, target, replace, true);
  if (error != 0)
    return static_cast<int>(error == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : error);
  if (RemoveFile(source, true)) return 0;
  error = GetLastError();
  // The move failed as a whole: leave only the source, unless the copy has already taken
  // the place of a target the caller wanted replaced.
  if (!replace) DeleteEvenIfReadOnly(Widen(target));
  SetLastError(error);
  return static_cast<int>(error);
}

void RemoveStaleTemporaries(const std::string& folder) {
  std::wstring prefix =
      FolderOf(folder.empty() || IsPathDelimiter(folder.back()) ? folder : folder + "\\");
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW((prefix + kTemporaryPrefix + L"*").c_str(), FindExInfoBasic, &data,
                                 FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    // Only a file that no handle holds opens without sharing; it goes when this closes.
    HANDLE file = CreateFileW((prefix + data.cFileName).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

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
