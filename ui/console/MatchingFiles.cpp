#include "ui/console/MatchingFiles.h"

#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace ui::console {

namespace {

bool MatchesBelow(const std::string& prefix, const std::string& namePart, bool recurse) {
  if (!platform::ListFiles(prefix + namePart).empty()) return true;
  if (!recurse) return false;
  for (const std::string& folder : platform::ListSubdirectories(prefix))
    if (MatchesBelow(prefix + folder + platform::PathSeparator(), namePart, true)) return true;
  return false;
}

}  // namespace

bool MatchesAnyFile(const std::string& pattern, bool recurse) {
  const std::string native = platform::NativePath(pattern);
  std::string prefix = platform::ExtractFilePath(native);
  if (!prefix.empty() && prefix.back() != platform::PathSeparator())
    prefix += platform::PathSeparator();
  return MatchesBelow(prefix, platform::ExtractFileName(native), recurse);
}

}  // namespace ui::console
