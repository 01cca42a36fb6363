#include "platform/Errors.h"

#include <cerrno>
#include <cstring>

namespace platform {

int SystemCode(KnownError error) {
  switch (error) {
    case KnownError::DiskFull:
      return ENOSPC;
    case KnownError::CrossDevice:
      return EXDEV;
    case KnownError::InputOutput:
      return EIO;
    case KnownError::FileExists:
      return EEXIST;
  }
  return EIO;
}

int LastErrorCode() { return errno; }

std::string SystemErrorMessage(int code) {
  std::string text = std::strerror(code);
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

}  // namespace platform
