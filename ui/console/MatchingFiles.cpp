#include "ui/console/MatchingFiles.h"

#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace ui::console {

namespace {

bool MatchesBelow(platform::FileSystem& files, const std::string& prefix,
                  const std::string& namePart, bool recurse) {
  if (!files.ListFiles(prefix + namePart).empty()) return true;
  if (!recurse) return false;
  for (const std::string& folder : files.ListSubdirectories(prefix))
    if (MatchesBelow(files, prefix + folder + platform::PathSeparator(), namePart, true))
      return true;
  return false;
}

}  // namespace

bool MatchesAnyFile(platform::FileSystem& files, const std::string& pattern, bool recurse) {
  const std::string native = platform::NativePath(pattern);
  std::string prefix = platform::ExtractFilePath(native);
  if (!prefix.empty() && prefix.back() != platform::PathSeparator())
    prefix += platform::PathSeparator();
  return MatchesBelow(files, prefix, platform::ExtractFileName(native), recurse);
}

}  // namespace ui::console
