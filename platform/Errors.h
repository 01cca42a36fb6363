#pragma once

#include <stdexcept>
#include <string>

// A file operation failed; the message says which and carries the system's code or text.
class EInOutError : public std::runtime_error {
 public:
  explicit EInOutError(const std::string& message, int errorCode = 0)
      : std::runtime_error(message), errorCode_(errorCode) {}
  int ErrorCode() const { return errorCode_; }

 private:
  int errorCode_;
};

// A file could not be opened; the message names the full path and the system's reason.
class EFOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An open file could not be read; the message names the full path and the system's
// reason. Never the end of a file: what a reader would have found there is unknown.
class EReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace platform {

// The system's codes for a few failures that callers tell apart or tests make up.
enum class KnownError { DiskFull, CrossDevice, InputOutput, FileExists };
int SystemCode(KnownError error);

// The calling thread's last system error code (GetLastError / errno).
int LastErrorCode();

// The system's text for an error code, without trailing blanks, line breaks and dots.
std::string SystemErrorMessage(int code);

}  // namespace platform
