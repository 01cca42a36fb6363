#include "tests/engine/TortureTrees.h"

#include <algorithm>
#include <filesystem>
#include <random>

#include "platform/FileOperations.h"
#include "platform/FileTimes.h"
#include "platform/Path.h"
#include "tests/support/Photos.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace test {

void MakeTree(const std::string& root, bool duplicatesOnly) {
  const char sep = platform::PathSeparator();
  std::mt19937 random(42);
  const std::string folders[] = {"", "a", std::string("a") + sep + "b", "c"};
  for (const std::string& folder : folders) platform::ForceDirectories(root + folder);
  for (int i = 0; i < 300; ++i) {
    const std::string folder = folders[random() % 4];
    const std::string where = root + (folder.empty() ? "" : folder + sep);
    const int day = 1 + static_cast<int>(random() % 6);  // few dates: many collisions
    char date[32];
    std::snprintf(date, sizeof date, "2004:05:%02d 07:08:09", day);
    const std::string salt = duplicatesOnly ? std::string(date) : "file " + std::to_string(i);
    const bool upperExtension = i % 2 == 1 && !duplicatesOnly;  // one target per date there
    std::string name = (i % 3 == 0 ? "IMG_" : "img_") + std::to_string(i % 50) +
                       (upperExtension ? ".JPG" : ".jpg");
    if (Exists(where + name)) name = "x" + std::to_string(i) + "_" + name;
    const int kind = static_cast<int>(random() % 10);
    if (kind == 0 && !duplicatesOnly)
      WriteBytes(where + name, Photo(PhotoInfo("", "", "no date", 0, 0, salt)));
    else if (kind == 1 && !duplicatesOnly)
      WriteBytes(where + "n" + std::to_string(i) + ".png", "\x89PNG " + salt);
    else
      WriteBytes(where + name, Photo(PhotoInfo(date, date, "", 0, 0, salt)));
    if (kind == 2 && !duplicatesOnly)
      fs::permissions(Utf8Path(where + name), fs::perms::owner_write, fs::perm_options::remove);
  }
}

std::map<std::string, int> Contents(const std::string& folder) {
  std::map<std::string, int> contents;
  for (const auto& entry : fs::recursive_directory_iterator(Utf8Path(folder)))
    if (entry.is_regular_file()) ++contents[ReadBytes(PathText(entry.path()))];
  return contents;
}

std::map<std::string, FileState> Snapshot(const std::string& folder) {
  std::map<std::string, FileState> files;
  for (const auto& entry : fs::recursive_directory_iterator(Utf8Path(folder))) {
    if (!entry.is_regular_file()) continue;
    const std::string path = PathText(entry.path());
    platform::FileFacts facts;
    platform::ReadFileFacts(path, facts);
    files[PathText(fs::relative(entry.path(), Utf8Path(folder)))] = {ReadBytes(path),
                                                                     facts.modified};
  }
  return files;
}

std::map<std::string, int> Folders(const std::string& folder) {
  std::map<std::string, int> folders;
  for (const auto& entry : fs::recursive_directory_iterator(Utf8Path(folder)))
    if (entry.is_directory()) folders[PathText(fs::relative(entry.path(), Utf8Path(folder)))] = 1;
  return folders;
}

std::string QuotedFolder(const std::string& folder) {
  std::string text = folder;
  std::replace(text.begin(), text.end(), '/', '\\');
  return "'" + text + "'";
}

}  // namespace test
