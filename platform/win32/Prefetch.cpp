#include "platform/Prefetch.h"

#include <algorithm>
#include <vector>

#include "platform/win32/PrefetchGuard.h"
#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"

namespace platform {

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

namespace {

// Reads at position and waits for the end; false on an error. `pending` tells whether the
// system left the read pending instead of answering it at once.
bool ReadWaiting(HANDLE file, int64_t position, void* buffer, DWORD count, DWORD& read,
                 bool& pending) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(static_cast<uint64_t>(position));
  at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(position) >> 32);
  pending = false;
  if (!ReadFile(file, buffer, count, nullptr, &at)) {
    if (GetLastError() != ERROR_IO_PENDING) return false;
    pending = true;
  }
  // Only one read is outstanding, so the handle itself signals its end.
  return GetOverlappedResult(file, &at, &read, TRUE) != 0;
}

int64_t Ticks() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

size_t PrefetchFile::ReadAt(int64_t position, void* buffer, size_t count, bool& cached) {
  if (!IsOpen() || count == 0) return 0;
  HANDLE file = Native(handle_);
  const DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
  const int64_t start = Ticks();
  DWORD read = 0;
  bool pending;
  if (!ReadWaiting(file, position, buffer, chunk, read, pending)) return 0;
  // Windows answers a read from its cache at once and leaves one that must go to the
  // device pending. Some systems (Wine) leave every read pending; there a second read of
  // the same bytes, surely cached now, tells what a cached read costs, and a first read
  // that took not much longer was answered by the cache too.
  if (pending && read > 0) {
    const int64_t first = Ticks() - start;
    const int64_t again = Ticks();
    DWORD reread = 0;
    if (!ReadWaiting(file, position, buffer, read < 4096 ? read : 4096, reread, pending)) return 0;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const int64_t slack = frequency.QuadPart / 20000;  // 50 microseconds
    if (first > 2 * (Ticks() - again) + slack) cached = false;
  }
  return read;
}

// Windows cannot say what its cache holds without reading, nor read ahead on request.
size_t PrefetchFile::ReadCached(int64_t, void*, size_t) { return 0; }

bool PrefetchFile::Ask(int64_t, size_t) { return false; }

std::thread StartPrefetchThread(std::function<void()> body) { return std::thread(std::move(body)); }

}  // namespace platform
