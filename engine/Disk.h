#pragma once

#include <functional>
#include <string>

// The rename pass's two ways of putting a file under its new name. Both raise
// EInOutError carrying the system's error code; neither ever replaces a target unless
// Replace is true, nor leaves a half-written target behind.
void CopyFileExt(const std::string& source, const std::string& target, bool replace);
void MoveFileExt(const std::string& source, const std::string& target, bool replace);

// Renames a file to another spelling of its own name (another letter case on a file system
// that ignores case). Goes through a temporary name when the system will not rename in
// place; the file keeps its place on every failure. Raises EInOutError as MoveFileExt does.
// beforeDetour, when given, hears the temporary name before the file goes there.
void RenameLetterCase(const std::string& source, const std::string& target,
                      const std::function<void(const std::string&)>& beforeDetour = {});

// Keyword values made safe for a file name: codes 0-31 and * / : < > ? \ | become "_".
std::string MakeValidFileName(const std::string& text);

// The old-name part: the name part of the path up to its first ".".
std::string ExtractFileBase(const std::string& path);
