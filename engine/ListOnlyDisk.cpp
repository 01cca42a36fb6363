#include "engine/ListOnlyDisk.h"

#include "platform/AsciiCase.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/Wildcard.h"

namespace {

// What a failed transfer reports; only the fact of the failure reaches a progress line.
constexpr int kRefused = 1;

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && platform::IsPathDelimiter(path.back()) && path[path.size() - 2] != ':')
    path.pop_back();
  return path;
}

std::string FolderOf(const std::string& path) {
  const std::string folder = platform::ExtractFilePath(path);
  return folder.empty() ? std::string(".") : folder;
}

}  // namespace

std::string tListOnlyDisk::Key(const std::string& path) const {
  const std::string absolute =
      platform::AbsolutePath(platform::NativePath(path.empty() ? "." : path));
  const char separator = platform::PathSeparator();
  const size_t rootEnd = absolute.find(separator);
  const std::string root =
      rootEnd == std::string::npos ? std::string() : absolute.substr(0, rootEnd + 1);
  std::vector<std::string> parts;
  for (size_t start = root.size(); start <= absolute.size();) {
    size_t end = absolute.find(separator, start);
    if (end == std::string::npos) end = absolute.size();
    const std::string part = absolute.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string key = root;
  for (size_t i = 0; i < parts.size(); ++i)
    key += (i ? std::string(1, separator) : std::string()) + parts[i];
  return platform::NamesIgnoreCase() ? platform::AsciiUpper(key) : key;
}

std::vector<std::string> tListOnlyDisk::ListFiles(const std::string& pattern) {
  const std::string native = platform::NativePath(pattern);
  const std::string directory = platform::ExtractFilePath(native);
  const std::string mask = platform::ExtractFileName(native);
  std::vector<std::string> names;
  std::set<std::string> shown;
  for (const std::string& name : platform::ListFiles(pattern)) {
    const std::string key = Key(directory + name);
    if (gone_.count(key)) {
      // The name left and came back (a letter-case rename): in its old place.
      const auto again = added_.find(key);
      if (again == added_.end()) continue;
      names.push_back(platform::ExtractFileName(again->second.path));
    } else {
      names.push_back(name);
    }
    shown.insert(key);
  }
  if (mask.empty()) return names;
  const std::string folderKey = Key(FolderOf(native));
  for (const std::string& key : addedOrder_) {
    const auto entry = added_.find(key);
    if (entry == added_.end() || shown.count(key)) continue;
    const std::string name = platform::ExtractFileName(entry->second.path);
    if (Key(FolderOf(entry->second.path)) != folderKey || platform::NameIsHidden(name) ||
        !platform::MatchesWildcard(name, mask))
      continue;
    names.push_back(name);
    shown.insert(key);
  }
  return names;
}

std::vector<std::string> tListOnlyDisk::ListSubdirectories(const std::string& folder) {
  std::vector<std::string> names = platform::ListSubdirectories(folder);
  const std::string native = platform::NativePath(folder);
  const std::string prefix = native.empty() || platform::IsPathDelimiter(native.back())
                                 ? native
                                 : native + platform::PathSeparator();
  std::set<std::string> shown;
  for (const std::string& name : names) shown.insert(Key(prefix + name));
  const std::string parentKey = Key(native.empty() ? "." : native);
  for (const std::string& key : folderOrder_) {
    const std::string& path = folders_[key];
    const std::string name = platform::ExtractFileName(path);
    if (shown.count(key) || platform::NameIsHidden(name) || Key(FolderOf(path)) != parentKey)
      continue;
    names.push_back(name);
    shown.insert(key);
  }
  return names;
}

std::string tListOnlyDisk::ContentPath(const std::string& path) {
  const auto entry = added_.find(Key(path));
  return entry == added_.end() ? path : entry->second.content;
}

bool tListOnlyDisk::FileExists(const std::string& path) {
  const std::string key = Key(path);
  if (added_.count(key)) return true;
  if (gone_.count(key) || folders_.count(key)) return false;
  return platform::FileExists(path);
}

bool tListOnlyDisk::IsSameFile(const std::string& first, const std::string& second) {
  const std::string a = Key(first);
  const std::string b = Key(second);
  if (a == b) return FileExists(first);
  // A file the run has moved or copied is one of its own: no other name leads to it.
  if (added_.count(a) || gone_.count(a) || added_.count(b) || gone_.count(b)) return false;
  return platform::IsSameFile(first, second);
}

bool tListOnlyDisk::FolderExists(const std::string& folder) {
  if (folder.empty()) return true;
  return folders_.count(Key(folder)) || platform::DirectoryExists(folder);
}

bool tListOnlyDisk::MakeFolder(const std::string& folder) {
  if (FolderExists(folder)) return true;
  std::vector<std::string> missing;
  for (std::string level = WithoutTrailingSeparator(folder);
       !level.empty() && !FolderExists(level);) {
    if (FileExists(level)) return false;  // a file holds the name: the real run fails too
    missing.push_back(level);
    const std::string parent = WithoutTrailingSeparator(platform::ExtractFilePath(level));
    if (parent == level) break;
    level = parent;
  }
  for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
    const std::string key = Key(*level);
    folders_[key] = *level;
    folderOrder_.push_back(key);
  }
  return true;
}

void tListOnlyDisk::Remove(const std::string& path) {
  const std::string key = Key(path);
  if (added_.erase(key) == 0) gone_.insert(key);
}

void tListOnlyDisk::Add(const std::string& path, const std::string& content) {
  const std::string key = Key(path);
  added_[key] = Entry{path, content};
  addedOrder_.push_back(key);
}

int tListOnlyDisk::Transfer(const std::string& source, const std::string& target, bool replace,
                            bool copy) {
  if (!FolderExists(platform::ExtractFilePath(target)) || FolderExists(target)) return kRefused;
  const bool taken = FileExists(target);
  if ((taken && !replace) || !FileExists(source)) return kRefused;
  const std::string content = ContentPath(source);
  if (!copy) Remove(source);
  if (taken) Remove(target);
  Add(target, content);
  return 0;
}

int tListOnlyDisk::TryMove(const std::string& source, const std::string& target) {
  return Transfer(source, target, false, false);
}

void tListOnlyDisk::Move(const std::string& source, const std::string& target, bool replace) {
  if (const int code = Transfer(source, target, replace, false))
    throw EInOutError("MoveFileExt() - I/O Error " + std::to_string(code), code);
}

void tListOnlyDisk::Copy(const std::string& source, const std::string& target, bool replace) {
  if (const int code = Transfer(source, target, replace, true))
    throw EInOutError("CopyFileExt() - I/O Error " + std::to_string(code), code);
}

void tListOnlyDisk::RenameLetterCase(const std::string& source, const std::string& target) {
  const std::string content = ContentPath(source);
  Remove(source);
  Add(target, content);
}
