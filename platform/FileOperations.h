#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Errors.h"
#include "platform/FileTimes.h"

// The system's file operations, one call each: what the real FileSystem (FileSystem.h) is
// made of, and what tests use to set up and look at folders. The program itself reaches
// files only through a FileSystem.
// Paths are UTF-8; relative paths are relative to the current working directory.
namespace platform {

// Names of the plain files that match the pattern (directory part + wildcard name part,
// "*" and "?" with letter case ignored), in the order the system reports them.
// Directories, hidden and system entries are left out. A folder that cannot be read gives none.
std::vector<std::string> ListFiles(const std::string& pattern);

// Names of the subdirectories of a folder ("" = the current one), in the order the system
// reports them, without "." and "..", hidden and system folders, and links to folders
// (following those could walk in circles).
std::vector<std::string> ListSubdirectories(const std::string& directory);

// True when the path names an existing folder.
bool DirectoryExists(const std::string& path);

// True when the path names an existing file that is not a folder.
bool FileExists(const std::string& path);

// True when both paths name the same existing file (the same file under two spellings,
// such as another letter case on a file system that ignores case, or a hard link).
bool IsSameFile(const std::string& first, const std::string& second);

// Creates the folder and every missing parent. True when the folder exists afterwards.
bool ForceDirectories(const std::string& path);

// Deletes a file. False (with the last error set) when it could not. With evenIfReadOnly
// a read-only file (Windows) loses the attribute first and gets it back if the delete fails.
bool RemoveFile(const std::string& path, bool evenIfReadOnly = false);

// Removes a folder that holds nothing. False when it could not (not empty, say).
bool RemoveEmptyDirectory(const std::string& path);

// Copies contents, attribute or permission bits and last-write time to target.
// The copy is written to a temporary file in the target's folder and put in place only
// when complete and flushed, so a failure never leaves a partial file under the target's
// name. Where the file system allows (Linux) the temporary file has no name at all, so a
// killed copy leaves nothing; elsewhere it is a hidden ".stampel-tmp-..." file that this
// process holds (a lock, an open handle) until it is in place, and that
// RemoveStaleTemporaries removes once no process holds it any more.
// Without replace, an existing target makes it fail. Returns 0 or the system error code
// (Windows: 80 for an existing target; POSIX: errno, EEXIST).
int CopyFileSafely(const std::string& source, const std::string& target, bool replace);

// Renames or moves a file. Without replace an existing target makes it fail; with replace
// the target is replaced in one step, so a failed move never costs the old target.
// Across volumes it copies as CopyFileSafely does (times kept), flushes the copy and only
// then removes the source. Returns 0 or the system error code (Windows: 183 for an
// existing target; POSIX: errno).
int MoveFileSafely(const std::string& source, const std::string& target, bool replace);

// Renames a file to another spelling of its own name (another letter case on a file system
// that ignores case). Goes through a free temporary name in the same folder when the
// system will not rename in place (or reports success but keeps the old spelling, as Wine
// does); the file keeps its place on every failure. beforeDetour, when given, hears the
// temporary name before the file goes there. 0 or the system error code.
int RenameLetterCase(const std::string& source, const std::string& target,
                     const std::function<void(const std::string&)>& beforeDetour = {});

// Removes the temporary files of copies that a killed process left in the folder
// ("" = the current one): those named as CopyFileSafely names them that no process holds
// any more. Files that a running copy holds, and every other file, stay.
void RemoveStaleTemporaries(const std::string& folder);

// The times of a file by name, without opening it for writing. False when unreadable.
bool GetFileTimes(const std::string& path, FileTimes& times);

// The facts of a plain file (a link is followed). False when there is none or it cannot
// be asked.
bool ReadFileFacts(const std::string& path, FileFacts& facts);

// Sets the file's modification time, and its creation time unless that is kNoTime, to
// exactly these values; the last-access time stays. Works on read-only files too.
// False with the last error set on failure.
bool SetExactFileTimes(const std::string& path, int64_t modified, int64_t created);

}  // namespace platform
