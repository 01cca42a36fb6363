#pragma once

#include <string>

// The folder search of the main window: where the folder browser opens, and the path
// pattern made from the folder the user chose.
namespace ui {

// The folder browser opens here when the pattern's folder part names no existing folder.
inline constexpr const char* kFallbackSearchFolder = "C:\\";

// The folder part of the pattern (up to and including its last delimiter) when it is an
// existing folder, otherwise the fallback.
std::string SearchStartFolder(const std::string& pattern);

// The chosen folder with "*" and the old pattern's extension: only the extension carries
// over. A folder ending in a backslash (a drive root such as E:\) gets no second one.
std::string PatternForFolder(const std::string& folder, const std::string& oldPattern);

// A folder the window opens at (/W:folder) or that is dropped on it: the folder and the
// old pattern's name part, wildcards and all ("*.jpg" when it has none).
std::string PatternAtFolder(const std::string& folder, const std::string& oldPattern);

// A file dropped on the window: its folder and "*" with its extension.
std::string PatternForFile(const std::string& file);

}  // namespace ui
