#include "platform/Path.h"

#include "platform/posix/PosixUtil.h"

namespace platform {

bool IsPathDelimiter(char c) { return c == '/' || c == '\\'; }

char PathSeparator() { return '/'; }

std::string NativePath(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

bool NamesIgnoreCase() { return false; }

bool NameIsHidden(const std::string& name) { return !name.empty() && name[0] == '.'; }

std::string AbsolutePath(const std::string& path) { return posix::FullPath(path); }

}  // namespace platform
