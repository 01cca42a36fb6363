#pragma once

#include <string>

// Path parts, the same everywhere in the program: the directory part runs up to and
// including the last path delimiter, the name part is the rest, and the extension runs
// from the last "." of the name part (dot included; empty when there is none).
namespace platform {

// Windows: the backslash and the colon of a drive. POSIX: "/" and the backslash,
// so that formats written for Windows sort into subfolders unchanged.
bool IsPathDelimiter(char c);

// The separator the system writes between folders.
char PathSeparator();

// The path as the system spells it: on POSIX every backslash becomes "/".
std::string NativePath(std::string path);

// Index of the last delimiter, or std::string::npos.
size_t LastDelimiter(const std::string& path);

std::string ExtractFilePath(const std::string& path);  // directory part, delimiter included
std::string ExtractFileName(const std::string& path);  // name part
std::string ExtractFileExt(const std::string& path);   // extension of the name part

}  // namespace platform
