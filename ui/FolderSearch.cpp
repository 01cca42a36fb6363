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

namespace {

std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty() || platform::IsPathDelimiter(folder.back())) return folder + name;
  return folder + platform::PathSeparator() + name;
}

}  // namespace

std::string PatternAtFolder(const std::string& folder, const std::string& oldPattern) {
  const std::string name = platform::ExtractFileName(oldPattern);
  return InFolder(folder, name.empty() ? "*.jpg" : name);
}

std::string PatternForFile(const std::string& file) {
  return InFolder(platform::ExtractFilePath(file), "*" + platform::ExtractFileExt(file));
}

}  // namespace ui
