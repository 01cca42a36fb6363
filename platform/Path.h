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

// The path as the system spells it: on POSIX every backslash becomes "/". MakeNative does
// it in place, from the byte `from` on.
std::string NativePath(std::string path);
void MakeNative(std::string& path, size_t from = 0);

// Index of the last delimiter, or std::string::npos.
size_t LastDelimiter(const std::string& path);

std::string ExtractFilePath(const std::string& path);  // directory part, delimiter included
std::string ExtractFileName(const std::string& path);  // name part
std::string ExtractFileExt(const std::string& path);   // extension of the name part

// True where names that differ only in letter case name the same file (Windows).
// POSIX answers false: case-folding mounts there are not told apart.
bool NamesIgnoreCase();

// True when the name alone hides a file from listings (POSIX: it begins with ".").
// On Windows hiding is an attribute, not a name: false.
bool NameIsHidden(const std::string& name);

// The path made absolute against the current working directory, in the system's
// spelling; "." and ".." are not resolved and no link is followed.
std::string AbsolutePath(const std::string& path);

}  // namespace platform
