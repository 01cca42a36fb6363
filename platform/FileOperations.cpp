#include "platform/FileOperations.h"

#include "platform/Path.h"

namespace platform {

namespace {

// True when the folder lists the file under exactly this spelling.
bool StoredAs(const std::string& path) {
  const std::vector<std::string> names = ListFiles(path);
  return names.size() == 1 && names[0] == ExtractFileName(path);
}

}  // namespace

int RenameLetterCase(const std::string& source, const std::string& target,
                     const std::function<void(const std::string&)>& beforeDetour) {
  int code = MoveFileSafely(source, target, false);
  if (code == 0 && StoredAs(target)) return 0;
  // Two steps: away to a free temporary name in the same folder, then to the new spelling.
  const std::string folder = ExtractFilePath(source);
  std::string temporary;
  for (int n = 0; temporary.empty() || FileExists(temporary); ++n)
    temporary = folder + "~stampel-rename-" + std::to_string(n) + ".tmp";
  if (beforeDetour) beforeDetour(temporary);
  code = MoveFileSafely(source, temporary, false);
  if (code != 0) return code;
  code = MoveFileSafely(temporary, target, false);
  if (code == 0) return 0;
  MoveFileSafely(temporary, source, false);
  return code;
}

}  // namespace platform
