#include "platform/Path.h"

namespace platform {

size_t LastDelimiter(const std::string& path) {
  for (size_t i = path.size(); i > 0; --i)
    if (IsPathDelimiter(path[i - 1])) return i - 1;
  return std::string::npos;
}

std::string ExtractFilePath(const std::string& path) {
  const size_t last = LastDelimiter(path);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string ExtractFileName(const std::string& path) {
  const size_t last = LastDelimiter(path);
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string ExtractFileExt(const std::string& path) {
  const std::string name = ExtractFileName(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace platform
