#include "platform/win32/PrefetchGuard.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "platform/win32/WinApi.h"

namespace platform::win32 {

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

}  // namespace platform::win32
