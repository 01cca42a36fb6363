#include "platform/Path.h"

namespace platform {

std::string ExtractFilePath(const std::string& path) {
  const size_t last = LastDelimiter(path);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string ExtractFileName(const std::string& path) {
  const size_t last = LastDelimiter(path);
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string ExtractFileExt(const std::string& path) {
  const size_t last = LastDelimiter(path);
  const size_t dot = path.rfind('.');
  return dot == std::string::npos || (last != std::string::npos && dot < last)
             ? std::string()
             : path.substr(dot);
}

}  // namespace platform
