#include "engine/pass/Transfer.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"

namespace {

void Check(const char* operation, int code) {
  if (code != 0)
    throw EInOutError(std::string(operation) + "() - I/O Error " + std::to_string(code), code);
}

}  // namespace

void CopyFileExt(platform::FileSystem& files, const std::string& source, const std::string& target,
                 bool replace) {
  Check("CopyFileExt", files.Copy(source, target, replace));
}

void MoveFileExt(platform::FileSystem& files, const std::string& source, const std::string& target,
                 bool replace) {
  // Replacing happens in the same step as the move, so a failed move keeps the old target.
  Check("MoveFileExt", files.Move(source, target, replace));
}

void RenameLetterCase(platform::FileSystem& files, const std::string& source,
                      const std::string& target) {
  Check("MoveFileExt", files.RenameLetterCase(source, target, {}));
}
