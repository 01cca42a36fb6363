#pragma once

#include <string>

namespace platform::win32 {

// Keeps the prefetches of Prefetch.h out of the way of this process's own file
// operations. Windows refuses to replace or remove a file that any handle holds open, so
// while a claim lives no prefetch opens a file of a claimed name, and the claim itself
// waits for those already open to close. Names are compared without the folder and
// without regard to letter case: a file under two spellings of its folder is still found,
// and a false match costs a short wait, never a failure.
class PrefetchClaim {
 public:
  explicit PrefetchClaim(const std::wstring& path, const std::wstring& other = std::wstring());
  ~PrefetchClaim();
  PrefetchClaim(const PrefetchClaim&) = delete;
  PrefetchClaim& operator=(const PrefetchClaim&) = delete;

 private:
  std::wstring first_;
  std::wstring second_;
};

// Registers a prefetch about to open the file; false when a claim holds its name.
bool BeginPrefetch(const std::wstring& path);
// The prefetch has closed the file.
void EndPrefetch(const std::wstring& path);

}  // namespace platform::win32
