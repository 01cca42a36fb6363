#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/Path.h"
#include "platform/Wildcard.h"
#include "platform/posix/PosixUtil.h"

namespace platform {

namespace {

using posix::DirectoryOrDot;

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

std::string Join(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  return directory.back() == '/' ? directory + name : directory + "/" + name;
}

bool IsHidden(const char* name) { return name[0] == '.'; }

bool IsRegularFile(const std::string& directory, const dirent* entry) {
  if (entry->d_type == DT_REG) return true;
  if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) return false;
  struct stat info;
  return stat(Join(directory, entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsRealDirectory(const std::string& directory, const dirent* entry) {
  if (entry->d_type == DT_DIR) return true;
  if (entry->d_type != DT_UNKNOWN) return false;
  struct stat info;
  return lstat(Join(directory, entry->d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// True when something (file, link, folder) holds the name.
bool NameTaken(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Copies all bytes from one descriptor to another; errno on failure.
int CopyContents(int in, int out) {
  for (;;) {
    const ssize_t n = copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
    if (n == 0) return 0;
    if (n > 0) continue;
    if (errno == EINTR) continue;
    if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) return errno;
    break;  // the kernel cannot do it here: fall back to plain reads and writes
  }
  std::unique_ptr<char[]> buffer(new char[1 << 18]);
  for (;;) {
    const ssize_t n = read(in, buffer.get(), 1 << 18);
    if (n == 0) return 0;
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = write(out, buffer.get() + done, static_cast<size_t>(n - done));
      if (w < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      done += w;
    }
  }
}

void SyncDirectoryOf(const std::string& path) {
  Fd dir(open(DirectoryOrDot(ExtractFilePath(path)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) fsync(dir.get());
}

// Gives the file a new name without ever replacing an existing one. 0 or errno.
int RenameNoReplace(const std::string& from, const std::string& to) {
#if defined(__linux__)
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
#endif
  // The file system cannot rename without replacing: a hard link fails on an existing name.
  if (link(from.c_str(), to.c_str()) == 0) {
    if (unlink(from.c_str()) == 0) return 0;
    const int error = errno;
    unlink(to.c_str());
    return error;
  }
  if (errno == EEXIST || errno == ENOENT || errno == EACCES || errno == EXDEV) return errno;
  // No hard links either (FAT and the like): test, then rename.
  if (NameTaken(to)) return EEXIST;
  return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Copies source into a hidden temporary file in the target's folder; returns its name.
int CopyToTemporary(const std::string& source, const std::string& target, std::string& temporary) {
  Fd in(open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return errno;
  struct stat info;
  if (fstat(in.get(), &info) != 0) return errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;

  std::string name = ExtractFilePath(target) + ".stampel-XXXXXX";
  Fd out(mkostemp(name.data(), O_CLOEXEC));
  if (out.get() < 0) return errno;
  int error = CopyContents(in.get(), out.get());
  if (error == 0 && fchmod(out.get(), info.st_mode & 07777) != 0) error = errno;
  const timespec times[2] = {info.st_atim, info.st_mtim};
  if (error == 0 && futimens(out.get(), times) != 0) error = errno;
  if (error == 0 && fsync(out.get()) != 0) error = errno;
  if (error == 0 && close(out.Release()) != 0) error = errno;
  if (error != 0) {
    unlink(name.c_str());
    return error;
  }
  temporary = name;
  return 0;
}

}  // namespace

std::vector<std::string> ListFiles(const std::string& pattern) {
  std::vector<std::string> names;
  const std::string native = NativePath(pattern);
  const std::string directory = ExtractFilePath(native);
  const std::string mask = ExtractFileName(native);
  if (mask.empty()) return names;
  const std::string folder = DirectoryOrDot(directory);
  DirHandle dir(opendir(folder.c_str()));
  if (!dir) return names;
  while (const dirent* entry = readdir(dir.get())) {
    if (IsHidden(entry->d_name) || !MatchesWildcard(entry->d_name, mask)) continue;
    if (IsRegularFile(folder, entry)) names.emplace_back(entry->d_name);
  }
  return names;
}

std::vector<std::string> ListSubdirectories(const std::string& directory) {
  std::vector<std::string> names;
  const std::string folder = DirectoryOrDot(directory);
  DirHandle dir(opendir(folder.c_str()));
  if (!dir) return names;
  while (const dirent* entry = readdir(dir.get())) {
    if (IsHidden(entry->d_name)) continue;  // also "." and ".."
    if (IsRealDirectory(folder, entry)) names.emplace_back(entry->d_name);
  }
  return names;
}

bool DirectoryExists(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FileExists(const std::string& path) {
  const std::string native = NativePath(path);
  if (!NameTaken(native)) return false;
  struct stat info;
  return !(stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
}

bool IsSameFile(const std::string& first, const std::string& second) {
  struct stat a, b;
  return stat(NativePath(first).c_str(), &a) == 0 && stat(NativePath(second).c_str(), &b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool ForceDirectories(const std::string& path) {
  std::string native = NativePath(path);
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  if (native.empty()) return false;
  if (DirectoryExists(native)) return true;
  const size_t slash = native.rfind('/');
  if (slash != std::string::npos && slash > 0 && !ForceDirectories(native.substr(0, slash)))
    return false;
  if (mkdir(native.c_str(), 0777) == 0) return true;
  return errno == EEXIST && DirectoryExists(native);
}

bool RemoveFile(const std::string& path) { return unlink(NativePath(path).c_str()) == 0; }

int CopyFileSafely(const std::string& source, const std::string& target, bool replace) {
  const std::string from = NativePath(source);
  const std::string to = NativePath(target);
  if (!replace && NameTaken(to)) return errno = EEXIST;
  std::string temporary;
  int error = CopyToTemporary(from, to, temporary);
  if (error == 0) {
    if (replace)
      error = rename(temporary.c_str(), to.c_str()) == 0 ? 0 : errno;
    else
      error = RenameNoReplace(temporary, to);
    if (error != 0) unlink(temporary.c_str());
  }
  return errno = error;
}

int MoveFileSafely(const std::string& source, const std::string& target, bool replace) {
  const std::string from = NativePath(source);
  const std::string to = NativePath(target);
  int error = replace ? (rename(from.c_str(), to.c_str()) == 0 ? 0 : errno)
                      : RenameNoReplace(from, to);
  if (error == EXDEV) {
    // Another file system: the source goes only once its copy is complete and on disk.
    error = CopyFileSafely(from, to, replace);
    if (error == 0) {
      SyncDirectoryOf(to);
      if (unlink(from.c_str()) != 0) {
        error = errno;
        // The move failed as a whole: leave only the source, unless the copy has already
        // taken the place of a target the caller wanted replaced.
        if (!replace) unlink(to.c_str());
      }
    }
  }
  return errno = error;
}

int LastErrorCode() { return errno; }

std::string SystemErrorMessage(int code) {
  std::string text = std::strerror(code);
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

}  // namespace platform
