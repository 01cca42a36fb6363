#include "platform/Registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>

#include "platform/FileOperations.h"
#include "platform/RegFile.h"

namespace platform {

namespace {

// $STAMPEL_CONFIG_DIR, else $XDG_CONFIG_HOME/stampel, else ~/.config/stampel.
std::string ConfigFolder() {
  if (const char* dir = std::getenv("STAMPEL_CONFIG_DIR"); dir && *dir) {
    std::string folder = dir;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
  }
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    return std::string(xdg) + "/stampel";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.config/stampel";
}

// The key lives in a REGEDIT4 text file. Every write replaces the file atomically; a file
// that cannot be parsed is set aside under another name before the first write, never
// silently overwritten.
class FileRegistryKey : public RegistryKey {
 public:
  FileRegistryKey(std::string folder, std::string keyPath, RegFile values, bool unreadable)
      : folder_(std::move(folder)),
        file_(folder_ + "/settings.reg"),
        keyPath_(std::move(keyPath)),
        values_(std::move(values)),
        unreadable_(unreadable) {}

  bool Query(const std::string& name, RegistryValue& value) override {
    const RegFile::Entry* entry = values_.Find(name);
    if (entry == nullptr) return false;
    value = entry->value;
    return true;
  }

  bool WriteString(const std::string& name, const std::string& text) override {
    RegistryValue value;
    value.type = RegistryValueType::String;
    value.text = text;
    return Store(name, value);
  }

  bool WriteNumber(const std::string& name, uint32_t number) override {
    RegistryValue value;
    value.type = RegistryValueType::Number;
    value.number = number;
    return Store(name, value);
  }

  bool Delete(const std::string& name) override {
    RegFile changed = values_;
    if (!changed.Remove(name) || !Save(changed)) return false;
    values_ = changed;
    return true;
  }

 private:
  bool Store(const std::string& name, const RegistryValue& value) {
    RegFile changed = values_;
    changed.Set(name, value);
    if (!Save(changed)) return false;
    values_ = changed;
    return true;
  }

  // Keeps an unreadable settings file under a name of its own.
  bool SetAsideUnreadable() {
    const std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
    std::string kept = file_ + ".unreadable-" + stamp;
    for (int n = 2; FileExists(kept); ++n)
      kept = file_ + ".unreadable-" + stamp + "-" + std::to_string(n);
    if (MoveFileSafely(file_, kept, false) != 0) return false;
    std::fprintf(stderr, "stampel: the settings file %s could not be read; it was kept as %s\n",
                 file_.c_str(), kept.c_str());
    unreadable_ = false;
    return true;
  }

  bool Save(const RegFile& values) {
    if (!ForceDirectories(folder_)) return false;
    if (unreadable_ && !SetAsideUnreadable()) return false;
    std::string temporary = folder_ + "/.settings.reg-XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    const std::string text = values.Serialize(keyPath_);
    bool ok = fchmod(fd, 0644) == 0;
    for (size_t done = 0; ok && done < text.size();) {
      const ssize_t n = write(fd, text.data() + done, text.size() - done);
      if (n < 0 && errno == EINTR) continue;
      ok = n > 0;
      if (ok) done += static_cast<size_t>(n);
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), file_.c_str()) == 0;
    if (!ok) unlink(temporary.c_str());
    return ok;
  }

  std::string folder_;
  std::string file_;
  std::string keyPath_;
  RegFile values_;
  bool unreadable_;
};

}  // namespace

std::unique_ptr<RegistryKey> RegistryKey::OpenCurrentUser(const std::string& path) {
  const std::string folder = ConfigFolder();
  const std::string keyPath = "HKEY_CURRENT_USER\\" + path;
  RegFile values;
  bool unreadable = false;
  const std::string file = folder + "/settings.reg";
  if (FileExists(file)) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return nullptr;  // there, but not ours to read: run without settings
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return nullptr;
    unreadable = !values.Parse(text, keyPath);
  } else if (DirectoryExists(file)) {
    return nullptr;
  }
  return std::make_unique<FileRegistryKey>(folder, keyPath, std::move(values), unreadable);
}

}  // namespace platform
