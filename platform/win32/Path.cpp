#include "platform/Path.h"

#include "platform/win32/WinUtil.h"

namespace platform {

bool IsPathDelimiter(char c) { return c == '\\' || c == ':'; }

char PathSeparator() { return '\\'; }

std::string NativePath(std::string path) { return path; }

}  // namespace platform

namespace platform {

bool NamesIgnoreCase() { return true; }

bool NameIsHidden(const std::string&) { return false; }

std::string AbsolutePath(const std::string& path) { return win32::FullPath(path); }

}  // namespace platform
