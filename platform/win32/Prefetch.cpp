#include "platform/Prefetch.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "platform/win32/PrefetchGuard.h"
#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"

namespace platform {

namespace win32 {

namespace {

// The names open for prefetching and the names claimed by file operations.
struct Guard {
  std::mutex mutex;
  std::condition_variable closed;
  std::vector<std::wstring> open;
  std::vector<std::wstring> claimed;
};

// Never destroyed: a prefetch still running while the program ends may use it after
// the other static objects are gone.
Guard& TheGuard() {
  static Guard* guard = new Guard;
  return *guard;
}

std::wstring NamePart(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"\\/:");
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

bool SameName(const std::wstring& first, const std::wstring& second) {
  return CompareStringOrdinal(first.data(), static_cast<int>(first.size()), second.data(),
                              static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

bool Holds(const std::vector<std::wstring>& names, const std::wstring& name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::wstring& held) { return SameName(held, name); });
}

void Forget(std::vector<std::wstring>& names, const std::wstring& name) {
  const auto found = std::find(names.begin(), names.end(), name);
  if (found != names.end()) names.erase(found);
}

}  // namespace

PrefetchClaim::PrefetchClaim(const std::wstring& path, const std::wstring& other)
    : first_(NamePart(path)), second_(other.empty() ? std::wstring() : NamePart(other)) {
  Guard& guard = TheGuard();
  std::unique_lock<std::mutex> lock(guard.mutex);
  guard.claimed.push_back(first_);
  if (!second_.empty()) guard.claimed.push_back(second_);
  guard.closed.wait(lock, [&] {
    return !Holds(guard.open, first_) && (second_.empty() || !Holds(guard.open, second_));
  });
}

PrefetchClaim::~PrefetchClaim() {
  const DWORD error = GetLastError();  // the claimed operation's own result stays readable
  Guard& guard = TheGuard();
  {
    std::lock_guard<std::mutex> lock(guard.mutex);
    Forget(guard.claimed, first_);
    if (!second_.empty()) Forget(guard.claimed, second_);
  }
  SetLastError(error);
}

bool BeginPrefetch(const std::wstring& path) {
  const std::wstring name = NamePart(path);
  Guard& guard = TheGuard();
  std::lock_guard<std::mutex> lock(guard.mutex);
  if (Holds(guard.claimed, name)) return false;
  guard.open.push_back(name);
  return true;
}

void EndPrefetch(const std::wstring& path) {
  const std::wstring name = NamePart(path);
  Guard& guard = TheGuard();
  {
    std::lock_guard<std::mutex> lock(guard.mutex);
    Forget(guard.open, name);
  }
  guard.closed.notify_all();
}

}  // namespace win32

namespace {

HANDLE Native(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

PrefetchFile::PrefetchFile(const std::string& path) {
  const std::wstring wide = win32::Widen(path);
  if (!win32::BeginPrefetch(wide)) return;
  // Overlapped, so that a read the cache cannot answer at once says so (see ReadAt).
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  LARGE_INTEGER size;
  if (file != INVALID_HANDLE_VALUE &&
      (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size))) {
    CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
  }
  if (file == INVALID_HANDLE_VALUE) {
    win32::EndPrefetch(wide);
    return;
  }
  handle_ = reinterpret_cast<intptr_t>(file);
  size_ = size.QuadPart;
  path_ = path;
}

PrefetchFile::~PrefetchFile() {
  if (!IsOpen()) return;
  CloseHandle(Native(handle_));
  win32::EndPrefetch(win32::Widen(path_));
}

size_t PrefetchFile::ReadAt(int64_t position, void* buffer, size_t count, bool& cached) {
  if (!IsOpen() || count == 0) return 0;
  const DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(static_cast<uint64_t>(position));
  at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(position) >> 32);
  // Bytes in the cache come back at once; a read that has to go to the device is left
  // pending. Only one read is outstanding, so the handle itself signals its end.
  if (!ReadFile(Native(handle_), buffer, chunk, nullptr, &at)) {
    if (GetLastError() != ERROR_IO_PENDING) return 0;
    cached = false;
  }
  DWORD read = 0;
  if (!GetOverlappedResult(Native(handle_), &at, &read, TRUE)) return 0;
  return read;
}

// Windows cannot say what its cache holds without reading, nor read ahead on request.
size_t PrefetchFile::ReadCached(int64_t, void*, size_t) { return 0; }

bool PrefetchFile::Ask(int64_t, size_t) { return false; }

std::thread StartPrefetchThread(std::function<void()> body) { return std::thread(std::move(body)); }

}  // namespace platform
