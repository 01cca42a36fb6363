#include "ui/FolderSearch.h"

#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace ui {

std::string SearchStartFolder(const std::string& pattern) {
  const std::string folder = platform::ExtractFilePath(pattern);
  if (folder.empty() || !platform::RealFileSystem().DirectoryExists(folder))
    return kFallbackSearchFolder;
  return folder;
}

std::string PatternForFolder(const std::string& folder, const std::string& oldPattern) {
  const std::string extension = platform::ExtractFileExt(oldPattern);
  if (!folder.empty() && folder.back() == '\\') return folder + "*" + extension;
  return folder + "\\*" + extension;
}

}  // namespace ui
