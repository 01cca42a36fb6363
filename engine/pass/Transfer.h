#pragma once

#include <string>

namespace platform {
class FileSystem;
}

// The rename pass's ways of putting a file under its new name, on a file system. Each
// raises EInOutError carrying the system's error code ("MoveFileExt() - I/O Error 183");
// none ever replaces a target unless replace is true, nor leaves a half-written target.
void CopyFileExt(platform::FileSystem& files, const std::string& source, const std::string& target,
                 bool replace);
void MoveFileExt(platform::FileSystem& files, const std::string& source, const std::string& target,
                 bool replace);
// A move to another spelling of the file's own name (another letter case where names
// ignore case); the file keeps its place on every failure.
void RenameLetterCase(platform::FileSystem& files, const std::string& source,
                      const std::string& target);
