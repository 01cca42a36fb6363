#include "platform/Path.h"

namespace platform {

bool IsPathDelimiter(char c) { return c == '/' || c == '\\'; }

char PathSeparator() { return '/'; }

std::string NativePath(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

}  // namespace platform
