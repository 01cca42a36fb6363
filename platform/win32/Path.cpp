#include "platform/Path.h"

#include "platform/win32/WinUtil.h"

namespace platform {

bool IsPathDelimiter(char c) { return c == '\\' || c == ':'; }

size_t LastDelimiter(const std::string& path) {
  for (size_t i = path.size(); i > 0; --i)
    if (path[i - 1] == '\\' || path[i - 1] == ':') return i - 1;
  return std::string::npos;
}

char PathSeparator() { return '\\'; }

std::string NativePath(std::string path) { return path; }

void MakeNative(std::string&, size_t) {}

}  // namespace platform

namespace platform {

bool NamesIgnoreCase() { return true; }

bool NameIsHidden(const std::string&) { return false; }

std::string AbsolutePath(const std::string& path) { return win32::FullPath(path); }

}  // namespace platform
