#include "engine/journal/ListOnlyFileSystem.h"

#include "platform/AsciiCase.h"
#include "platform/Errors.h"
#include "platform/FileTimes.h"
#include "platform/Path.h"
#include "platform/Wildcard.h"

namespace {

// What a refused change reports; only the fact of the failure reaches a progress line.
int Refused() { return platform::SystemCode(platform::KnownError::InputOutput); }
int Taken() { return platform::SystemCode(platform::KnownError::FileExists); }

// A stamp that is taken and not written: the list shows what the run would do.
class UnwrittenStamp final : public platform::StampableFile {
 public:
  bool Facts(platform::FileFacts&) override { return false; }
  bool Times(platform::FileTimes&) override { return false; }
  int Stamp(TDateTime) override { return 0; }
};

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

std::string tListOnlyFileSystem::Key(const std::string& path) const {
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

std::vector<std::string> tListOnlyFileSystem::ListFiles(const std::string& pattern) {
  const std::string native = platform::NativePath(pattern);
  const std::string directory = platform::ExtractFilePath(native);
  const std::string mask = platform::ExtractFileName(native);
  std::vector<std::string> names;
  std::set<std::string> shown;
  for (const std::string& name : Inner().ListFiles(pattern)) {
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

std::vector<std::string> tListOnlyFileSystem::ListSubdirectories(const std::string& folder) {
  std::vector<std::string> names = Inner().ListSubdirectories(folder);
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

std::string tListOnlyFileSystem::ContentPath(const std::string& path) {
  const auto entry = added_.find(Key(path));
  return entry == added_.end() ? path : entry->second.content;
}

bool tListOnlyFileSystem::FileExists(const std::string& path) {
  const std::string key = Key(path);
  if (added_.count(key)) return true;
  if (gone_.count(key) || folders_.count(key)) return false;
  return Inner().FileExists(path);
}

bool tListOnlyFileSystem::IsSameFile(const std::string& first, const std::string& second) {
  const std::string a = Key(first);
  const std::string b = Key(second);
  if (a == b) return FileExists(first);
  // A file the run has moved or copied is one of its own: no other name leads to it.
  if (added_.count(a) || gone_.count(a) || added_.count(b) || gone_.count(b)) return false;
  return Inner().IsSameFile(first, second);
}

bool tListOnlyFileSystem::DirectoryExists(const std::string& folder) {
  if (folder.empty()) return true;
  return folders_.count(Key(folder)) || Inner().DirectoryExists(folder);
}

int tListOnlyFileSystem::MakeFolders(const std::string& folder) {
  if (DirectoryExists(folder)) return 0;
  std::vector<std::string> missing;
  for (std::string level = WithoutTrailingSeparator(folder);
       !level.empty() && !DirectoryExists(level);) {
    if (FileExists(level)) return Taken();  // a file holds the name: the real run fails too
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
  return 0;
}

void tListOnlyFileSystem::Remove(const std::string& path) {
  const std::string key = Key(path);
  if (added_.erase(key) == 0) gone_.insert(key);
}

void tListOnlyFileSystem::Add(const std::string& path, const std::string& content) {
  const std::string key = Key(path);
  added_[key] = Entry{path, content};
  addedOrder_.push_back(key);
}

int tListOnlyFileSystem::Transfer(const std::string& source, const std::string& target,
                                  bool replace, bool copy) {
  if (!DirectoryExists(platform::ExtractFilePath(target)) || DirectoryExists(target))
    return Refused();
  const bool taken = FileExists(target);
  if (taken && !replace) return Taken();
  if (!FileExists(source)) return Refused();
  const std::string content = ContentPath(source);
  if (!copy) Remove(source);
  if (taken) Remove(target);
  Add(target, content);
  return 0;
}

int tListOnlyFileSystem::Move(const std::string& source, const std::string& target, bool replace) {
  return Transfer(source, target, replace, false);
}

int tListOnlyFileSystem::Copy(const std::string& source, const std::string& target, bool replace) {
  return Transfer(source, target, replace, true);
}

int tListOnlyFileSystem::RenameLetterCase(const std::string& source, const std::string& target,
                                          const std::function<void(const std::string&)>&) {
  const std::string content = ContentPath(source);
  Remove(source);
  Add(target, content);
  return 0;
}

bool tListOnlyFileSystem::ReadFacts(const std::string& path, platform::FileFacts& facts) {
  if (!FileExists(path)) return false;
  return Inner().ReadFacts(ContentPath(path), facts);
}

std::unique_ptr<platform::ReadableFile> tListOnlyFileSystem::OpenForReading(
    const std::string& path) {
  return Inner().OpenForReading(ContentPath(path));
}

std::unique_ptr<platform::StampableFile> tListOnlyFileSystem::OpenForStamp(const std::string&,
                                                                           int&) {
  return std::make_unique<UnwrittenStamp>();
}

// A list-only run changes nothing: none of these is asked of it.
int tListOnlyFileSystem::SetExactTimes(const std::string&, int64_t, int64_t) { return Refused(); }
int tListOnlyFileSystem::RemoveEmptyFolder(const std::string&) { return Refused(); }
int tListOnlyFileSystem::RemoveFile(const std::string&, bool) { return Refused(); }
std::unique_ptr<platform::AppendOnlyFile> tListOnlyFileSystem::CreateAppendOnly(const std::string&,
                                                                                int& code) {
  code = Refused();
  return nullptr;
}
