#include "platform/FileSystem.h"

#include <vector>

#include "platform/Path.h"
#include "platform/win32/PrefetchGuard.h"
#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"

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

// Writes the file's buffered data to disk.
bool Flush(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool flushed = FlushFileBuffers(file) != 0;
  const DWORD error = GetLastError();
  CloseHandle(file);
  SetLastError(error);
  return flushed;
}

// Copies source to a file that already exists (the temporary), flushes it and gives it
// the source's attributes. The attributes come last: a read-only copy could not be flushed.
bool CopyAndFlush(const std::wstring& source, const std::wstring& copy) {
  const DWORD attributes = GetFileAttributesW(source.c_str());
  if (!CopyFileW(source.c_str(), copy.c_str(), FALSE)) return false;
  SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!Flush(copy)) return false;
  constexpr DWORD kCarried = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                             FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                             FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kCarried))
    SetFileAttributesW(copy.c_str(), attributes & kCarried);
  return true;
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

bool RemoveFile(const std::string& path) {
  const std::wstring wide = Widen(path);
  const win32::PrefetchClaim claim(wide);
  return DeleteFileW(wide.c_str()) != 0;
}

int CopyFileSafely(const std::string& source, const std::string& target, bool replace) {
  if (!replace && Attributes(target) != INVALID_FILE_ATTRIBUTES) {
    SetLastError(ERROR_FILE_EXISTS);
    return ERROR_FILE_EXISTS;
  }
  const std::string folder = ExtractFilePath(target);
  const std::wstring wideFolder = folder.empty() ? std::wstring(L".") : Widen(folder);
  wchar_t temporary[MAX_PATH + 1];
  if (GetTempFileNameW(wideFolder.c_str(), L"stm", 0, temporary) == 0) return GetLastError();
  DWORD error = 0;
  if (!CopyAndFlush(Widen(source), temporary)) {
    error = GetLastError();
  } else {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    const std::wstring wideTarget = Widen(target);
    const win32::PrefetchClaim claim(wideTarget);
    if (!MoveFileExW(temporary, wideTarget.c_str(), flags)) {
      error = GetLastError();
      // The target appeared meanwhile: report it as the copy's own "file exists".
      if (error == ERROR_ALREADY_EXISTS) error = ERROR_FILE_EXISTS;
    }
  }
  if (error != 0) {
    DeleteEvenIfReadOnly(temporary);
    SetLastError(error);
  }
  return static_cast<int>(error);
}

int MoveFileSafely(const std::string& source, const std::string& target, bool replace) {
  const DWORD flags = MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH |
                      (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  const std::wstring from = Widen(source);
  const std::wstring to = Widen(target);
  const win32::PrefetchClaim claim(from, to);
  if (MoveFileExW(from.c_str(), to.c_str(), flags)) return 0;
  return static_cast<int>(GetLastError());
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
