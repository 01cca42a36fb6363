#pragma once

#include <cstdint>
#include <map>
#include <string>

// The trees that try the rename pass hardest, and ways to look at a tree.
namespace test {

// About 300 files in four folders: photos whose dates often coincide, photos without a
// date, files of no known kind, names in both letter cases, some read-only. With
// duplicatesOnly, files of the same date are the same photo (copies of it), so replacing
// one by another loses nothing.
void MakeTree(const std::string& root, bool duplicatesOnly);

// Every file below a folder, as contents -> how often.
std::map<std::string, int> Contents(const std::string& folder);

// Every file below a folder by its path relative to it: contents and modification time.
struct FileState {
  std::string bytes;
  int64_t modified = 0;
  bool operator==(const FileState& other) const {
    return bytes == other.bytes && modified == other.modified;
  }
};
std::map<std::string, FileState> Snapshot(const std::string& folder);

// Every folder below a folder, relative to it.
std::map<std::string, int> Folders(const std::string& folder);

// A format that puts targets into an absolute folder (backslashes, as the format
// language writes folders, so it works the same on every system).
std::string QuotedFolder(const std::string& folder);

}  // namespace test
