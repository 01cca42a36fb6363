#include "platform/FileSystem.h"

#include "platform/AppendFile.h"
#include "platform/Errors.h"
#include "platform/FileOperations.h"
#include "platform/FileStamp.h"
#include "platform/InputFile.h"

namespace platform {

namespace {

// Every call is one of the system's own (FileOperations.h and the file classes).
class SystemFileSystem final : public FileSystem {
 public:
  std::vector<std::string> ListFiles(const std::string& pattern) override {
    return platform::ListFiles(pattern);
  }
  std::vector<std::string> ListSubdirectories(const std::string& folder) override {
    return platform::ListSubdirectories(folder);
  }
  bool FileExists(const std::string& path) override { return platform::FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return platform::DirectoryExists(path); }
  bool IsSameFile(const std::string& first, const std::string& second) override {
    return platform::IsSameFile(first, second);
  }
  bool ReadFacts(const std::string& path, FileFacts& facts) override {
    return ReadFileFacts(path, facts);
  }
  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override {
    return std::make_unique<InputFile>(path);
  }
  std::unique_ptr<StampableFile> OpenForStamp(const std::string& path, int& code) override {
    auto file = std::make_unique<FileStamp>();
    if (file->Open(path)) return file;
    code = LastErrorCode();
    return nullptr;
  }
  int SetExactTimes(const std::string& path, int64_t modified, int64_t created) override {
    return SetExactFileTimes(path, modified, created) ? 0 : LastErrorCode();
  }
  int MakeFolders(const std::string& folder) override {
    return ForceDirectories(folder) ? 0 : Code();
  }
  int RemoveEmptyFolder(const std::string& folder) override {
    return RemoveEmptyDirectory(folder) ? 0 : Code();
  }
  int RemoveFile(const std::string& path, bool evenIfReadOnly) override {
    return platform::RemoveFile(path, evenIfReadOnly) ? 0 : Code();
  }
  int Move(const std::string& source, const std::string& target, bool replace) override {
    return MoveFileSafely(source, target, replace);
  }
  int Copy(const std::string& source, const std::string& target, bool replace) override {
    return CopyFileSafely(source, target, replace);
  }
  int RenameLetterCase(const std::string& source, const std::string& target,
                       const std::function<void(const std::string&)>& beforeDetour) override {
    return platform::RenameLetterCase(source, target, beforeDetour);
  }
  void RemoveStaleTemporaries(const std::string& folder) override {
    platform::RemoveStaleTemporaries(folder);
  }
  std::unique_ptr<AppendOnlyFile> CreateAppendOnly(const std::string& path, int& code) override {
    auto file = std::make_unique<AppendFile>();
    code = file->CreateNew(path);
    return code == 0 ? std::move(file) : nullptr;
  }

 private:
  // A failure that the system did not explain still is one.
  static int Code() {
    const int code = LastErrorCode();
    return code != 0 ? code : -1;
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static SystemFileSystem files;
  return files;
}

std::vector<std::string> ForwardingFileSystem::ListFiles(const std::string& pattern) {
  return inner_.ListFiles(pattern);
}
std::vector<std::string> ForwardingFileSystem::ListSubdirectories(const std::string& folder) {
  return inner_.ListSubdirectories(folder);
}
bool ForwardingFileSystem::FileExists(const std::string& path) { return inner_.FileExists(path); }
bool ForwardingFileSystem::DirectoryExists(const std::string& path) {
  return inner_.DirectoryExists(path);
}
bool ForwardingFileSystem::IsSameFile(const std::string& first, const std::string& second) {
  return inner_.IsSameFile(first, second);
}
bool ForwardingFileSystem::ReadFacts(const std::string& path, FileFacts& facts) {
  return inner_.ReadFacts(path, facts);
}
std::unique_ptr<ReadableFile> ForwardingFileSystem::OpenForReading(const std::string& path) {
  return inner_.OpenForReading(path);
}
std::unique_ptr<StampableFile> ForwardingFileSystem::OpenForStamp(const std::string& path,
                                                                  int& code) {
  return inner_.OpenForStamp(path, code);
}
int ForwardingFileSystem::SetExactTimes(const std::string& path, int64_t modified,
                                        int64_t created) {
  return inner_.SetExactTimes(path, modified, created);
}
int ForwardingFileSystem::MakeFolders(const std::string& folder) {
  return inner_.MakeFolders(folder);
}
int ForwardingFileSystem::RemoveEmptyFolder(const std::string& folder) {
  return inner_.RemoveEmptyFolder(folder);
}
int ForwardingFileSystem::RemoveFile(const std::string& path, bool evenIfReadOnly) {
  return inner_.RemoveFile(path, evenIfReadOnly);
}
int ForwardingFileSystem::Move(const std::string& source, const std::string& target, bool replace) {
  return inner_.Move(source, target, replace);
}
int ForwardingFileSystem::Copy(const std::string& source, const std::string& target, bool replace) {
  return inner_.Copy(source, target, replace);
}
int ForwardingFileSystem::RenameLetterCase(
    const std::string& source, const std::string& target,
    const std::function<void(const std::string&)>& beforeDetour) {
  return inner_.RenameLetterCase(source, target, beforeDetour);
}
void ForwardingFileSystem::RemoveStaleTemporaries(const std::string& folder) {
  inner_.RemoveStaleTemporaries(folder);
}
std::unique_ptr<AppendOnlyFile> ForwardingFileSystem::CreateAppendOnly(const std::string& path,
                                                                       int& code) {
  return inner_.CreateAppendOnly(path, code);
}

std::string ReadWholeFile(FileSystem& files, const std::string& path) {
  const std::unique_ptr<ReadableFile> file = files.OpenForReading(path);
  std::string text;
  char buffer[1 << 16];
  for (int64_t at = 0;;) {
    const size_t n = file->ReadAt(at, buffer, sizeof buffer);
    if (n == 0) return text;
    text.append(buffer, n);
    at += static_cast<int64_t>(n);
  }
}

}  // namespace platform
