#include "platform/Path.h"

#include <cstring>

#include "platform/posix/PosixUtil.h"

namespace platform {

bool IsPathDelimiter(char c) { return c == '/' || c == '\\'; }

size_t LastDelimiter(const std::string& path) {
  // Every path of a run is looked at several times: a word at a time where the library can.
#if defined(__GLIBC__)
  const auto* begin = path.data();
  const void* slash = memrchr(begin, '/', path.size());
  const size_t from = slash ? static_cast<size_t>(static_cast<const char*>(slash) - begin) + 1 : 0;
  const void* backslash = memrchr(begin + from, '\\', path.size() - from);
  if (backslash) return static_cast<size_t>(static_cast<const char*>(backslash) - begin);
  return slash ? from - 1 : std::string::npos;
#else
  for (size_t i = path.size(); i > 0; --i)
    if (path[i - 1] == '/' || path[i - 1] == '\\') return i - 1;
  return std::string::npos;
#endif
}

char PathSeparator() { return '/'; }

std::string NativePath(std::string path) {
  MakeNative(path);
  return path;
}

void MakeNative(std::string& path, size_t from) {
  for (size_t at = path.find('\\', from); at != std::string::npos; at = path.find('\\', at + 1))
    path[at] = '/';
}

bool NamesIgnoreCase() { return false; }

bool NameIsHidden(const std::string& name) { return !name.empty() && name[0] == '.'; }

std::string AbsolutePath(const std::string& path) { return posix::FullPath(path); }

}  // namespace platform
