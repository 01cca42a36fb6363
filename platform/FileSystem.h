#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/DateTime.h"
#include "platform/FileTimes.h"

namespace platform {

// A file opened for reading that denies other processes nothing: they may read, write,
// rename or delete it meanwhile.
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // Its size and times when it was opened.
  virtual const FileFacts& Facts() const = 0;
  // Reads up to count bytes at position into buffer. Fewer bytes only where the file ends
  // (none at or beyond its end). Throws EReadError when the system cannot read them: a
  // read error is never taken for the end of the file.
  virtual size_t ReadAt(int64_t position, void* buffer, size_t count) = 0;
};

// A file opened for reading and writing, denying others nothing, to read and set its
// times. Read-only files are not opened this way.
class StampableFile {
 public:
  virtual ~StampableFile() = default;
  // Its size and exact times now; false when the system cannot tell.
  virtual bool Facts(FileFacts& facts) = 0;
  // Creation and last-write time as local date-times; false when they cannot be read.
  virtual bool Times(FileTimes& times) = 0;
  // Sets creation and last-write time (POSIX: the modification time) to the local
  // date-time; the last-access time stays. 0 or the system's error code.
  virtual int Stamp(TDateTime localTime) = 0;
};

// A text file that only grows, for records that must be on disk before the step they
// describe: each Append is one system call, so a process killed at any moment leaves
// whole lines (the system keeps what was written even if the process dies).
class AppendOnlyFile {
 public:
  virtual ~AppendOnlyFile() = default;
  // Writes the text at the end. 0 or the system's error code.
  virtual int Append(const std::string& text) = 0;
  // Flushes the file to disk and closes it. 0 or the code of the failed flush.
  virtual int Close() = 0;
};

// Every look at and change of files and folders that the program makes: the rename pass,
// the journal, the undo and the readers all go through one of these. The real one calls
// the system; others wrap a file system to journal what it changes, to change nothing
// (a list-only run) or to fail on purpose (tests). Paths are UTF-8; relative paths are
// relative to the current working directory. Codes are the system's (Windows error codes,
// POSIX errno), 0 for success.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Names of the plain files that match the pattern (directory part + wildcard name
  // part, "*" and "?" with letter case ignored), in the order the system reports them,
  // without directories, hidden and system entries.
  virtual std::vector<std::string> ListFiles(const std::string& pattern) = 0;
  // Names of the subdirectories of a folder ("" = the current one), in the system's order,
  // without "." and "..", hidden and system folders, and links to folders.
  virtual std::vector<std::string> ListSubdirectories(const std::string& folder) = 0;

  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Both paths name the same existing file (another spelling, a hard link).
  virtual bool IsSameFile(const std::string& first, const std::string& second) = 0;
  // The size and times of a plain file (a link is followed); false when there is none.
  virtual bool ReadFacts(const std::string& path, FileFacts& facts) = 0;

  // Throws EFOpenError naming the full path and the system's reason.
  virtual std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) = 0;
  // nullptr, with the code, when the file cannot be opened for writing (read-only ones).
  virtual std::unique_ptr<StampableFile> OpenForStamp(const std::string& path, int& code) = 0;
  // Sets the modification time, and the creation time unless it is kNoTime, to exactly
  // these values; works on read-only files too.
  virtual int SetExactTimes(const std::string& path, int64_t modified, int64_t created) = 0;

  // The folder and every missing parent.
  virtual int MakeFolders(const std::string& folder) = 0;
  // A folder that holds nothing.
  virtual int RemoveEmptyFolder(const std::string& folder) = 0;
  // With evenIfReadOnly a read-only file (Windows) loses the attribute first.
  virtual int RemoveFile(const std::string& path, bool evenIfReadOnly) = 0;

  // As MoveFileSafely and CopyFileSafely (FileOperations.h): nothing is ever replaced
  // unless replace is set, and a failure never leaves a partial file under the target.
  virtual int Move(const std::string& source, const std::string& target, bool replace) = 0;
  virtual int Copy(const std::string& source, const std::string& target, bool replace) = 0;
  // Renames a file to another spelling of its own name (another letter case where names
  // ignore case). Goes through a free temporary name in the same folder when the system
  // will not rename in place; beforeDetour, when given, hears that name before the file
  // goes there. The file keeps its place on every failure.
  virtual int RenameLetterCase(const std::string& source, const std::string& target,
                               const std::function<void(const std::string&)>& beforeDetour) = 0;
  // Removes what killed copies left in the folder (see RemoveStaleTemporaries).
  virtual void RemoveStaleTemporaries(const std::string& folder) = 0;

  // A new append-only file; nullptr, with the code, when the name is taken or the file
  // cannot be made.
  virtual std::unique_ptr<AppendOnlyFile> CreateAppendOnly(const std::string& path, int& code) = 0;
};

// The system's own, for the whole process.
FileSystem& RealFileSystem();

// Passes every call to another file system; a base for those that change a few.
class ForwardingFileSystem : public FileSystem {
 public:
  explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

  std::vector<std::string> ListFiles(const std::string& pattern) override;
  std::vector<std::string> ListSubdirectories(const std::string& folder) override;
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  bool IsSameFile(const std::string& first, const std::string& second) override;
  bool ReadFacts(const std::string& path, FileFacts& facts) override;
  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<StampableFile> OpenForStamp(const std::string& path, int& code) override;
  int SetExactTimes(const std::string& path, int64_t modified, int64_t created) override;
  int MakeFolders(const std::string& folder) override;
  int RemoveEmptyFolder(const std::string& folder) override;
  int RemoveFile(const std::string& path, bool evenIfReadOnly) override;
  int Move(const std::string& source, const std::string& target, bool replace) override;
  int Copy(const std::string& source, const std::string& target, bool replace) override;
  int RenameLetterCase(const std::string& source, const std::string& target,
                       const std::function<void(const std::string&)>& beforeDetour) override;
  void RemoveStaleTemporaries(const std::string& folder) override;
  std::unique_ptr<AppendOnlyFile> CreateAppendOnly(const std::string& path, int& code) override;

 protected:
  FileSystem& Inner() { return inner_; }

 private:
  FileSystem& inner_;
};

// Reads the whole file (for small text files such as journals). Throws EFOpenError and
// EReadError.
std::string ReadWholeFile(FileSystem& files, const std::string& path);

}  // namespace platform
