#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

// The file system of a list-only run: it changes nothing and answers every question as the
// disk would after the moves, copies and folders of the run so far. A name that an earlier
// file of the run took counts as taken, a name it left counts as free, a folder it made
// exists, and a file it moved is read where it came from. Listings show the real entries
// in the system's order, then the run's new ones in the order they came (where a real
// system would put them is up to the system). Stamps are taken and not written.
class tListOnlyFileSystem final : public platform::ForwardingFileSystem {
 public:
  explicit tListOnlyFileSystem(platform::FileSystem& inner) : ForwardingFileSystem(inner) {}

  std::vector<std::string> ListFiles(const std::string& pattern) override;
  std::vector<std::string> ListSubdirectories(const std::string& folder) override;
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  bool IsSameFile(const std::string& first, const std::string& second) override;
  bool ReadFacts(const std::string& path, platform::FileFacts& facts) override;
  std::unique_ptr<platform::ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<platform::StampableFile> OpenForStamp(const std::string& path,
                                                        int& code) override;
  int SetExactTimes(const std::string& path, int64_t modified, int64_t created) override;
  int MakeFolders(const std::string& folder) override;
  int RemoveEmptyFolder(const std::string& folder) override;
  int RemoveFile(const std::string& path, bool evenIfReadOnly) override;
  int Move(const std::string& source, const std::string& target, bool replace) override;
  int Copy(const std::string& source, const std::string& target, bool replace) override;
  int RenameLetterCase(const std::string& source, const std::string& target,
                       const std::function<void(const std::string&)>& beforeDetour) override;
  void RemoveStaleTemporaries(const std::string&) override {}
  std::unique_ptr<platform::AppendOnlyFile> CreateAppendOnly(const std::string& path,
                                                             int& code) override;

 private:
  struct Entry {
    std::string path;     // as the run spelled it
    std::string content;  // the real file holding its bytes
  };

  // One text per file or folder, however the path spells it.
  std::string Key(const std::string& path) const;
  // The real file that holds the bytes of this path.
  std::string ContentPath(const std::string& path);
  int Transfer(const std::string& source, const std::string& target, bool replace, bool copy);
  void Remove(const std::string& path);
  void Add(const std::string& path, const std::string& content);

  std::map<std::string, Entry> added_;  // files the run has put somewhere
  std::vector<std::string> addedOrder_;
  std::set<std::string> gone_;                  // real files the run has moved away or replaced
  std::map<std::string, std::string> folders_;  // folders the run has made
  std::vector<std::string> folderOrder_;
};
