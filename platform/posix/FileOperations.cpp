#include "platform/FileOperations.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>

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

constexpr char kTemporaryPrefix[] = ".stampel-tmp-";

// A fresh ".stampel-tmp-" name in the folder (only a name: nothing is created).
std::string TemporaryName(const std::string& folder) {
  static std::mt19937_64 random(std::random_device{}() ^ static_cast<uint64_t>(getpid()));
  char suffix[17];
  std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
  return folder + kTemporaryPrefix + suffix;
}

// Where the file system has unnamed files (O_TMPFILE), an open one in the folder;
// otherwise -1 with errno EOPNOTSUPP.
int OpenUnnamed(const std::string& folder) {
#if defined(O_TMPFILE)
  const int fd = open(DirectoryOrDot(folder).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
  // Kernels and file systems without it answer in several ways.
  if (errno == EISDIR || errno == EINVAL || errno == ENOTSUP || errno == EOPNOTSUPP)
    errno = EOPNOTSUPP;
  return -1;
#else
  (void)folder;
  errno = EOPNOTSUPP;
  return -1;
#endif
}

// Gives an unnamed file a name; fails with EEXIST when the name is taken.
int LinkUnnamed(int fd, const std::string& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  if (errno != ENOENT || access("/proc/self/fd", F_OK) == 0) return errno;
#if defined(AT_EMPTY_PATH)
  // No /proc: linking the descriptor itself needs more rights, but may work.
  if (linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
#endif
  return errno;
}

// A named temporary file in the folder, created and locked; -1 with errno on failure.
// The lock tells RemoveStaleTemporaries that the file is in use. A cleaner of another
// process may have taken the name away between the creation and the lock: then the
// name no longer leads to this file, and another name is tried.
int CreateLockedTemporary(const std::string& folder, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TemporaryName(folder);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    struct stat own, named;
    if (flock(fd, LOCK_EX) == 0 && fstat(fd, &own) == 0 && lstat(name.c_str(), &named) == 0 &&
        own.st_dev == named.st_dev && own.st_ino == named.st_ino)
      return fd;
    close(fd);
  }
  errno = EEXIST;
  return -1;
}

// Contents, permission bits and times of the source into the open file, flushed.
int FillCopy(int in, const struct stat& info, int out) {
  int error = CopyContents(in, out);
  if (error == 0 && fchmod(out, info.st_mode & 07777) != 0) error = errno;
  const timespec times[2] = {info.st_atim, info.st_mtim};
  if (error == 0 && futimens(out, times) != 0) error = errno;
  if (error == 0 && fsync(out) != 0) error = errno;
  return error;
}

// Puts a complete unnamed copy under the target's name. 0 or errno.
int PlaceUnnamed(int fd, const std::string& to, bool replace) {
  if (!replace) return LinkUnnamed(fd, to);
  // Replacing takes a name first; the lock held on the file covers that short moment.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = TemporaryName(ExtractFilePath(to));
    const int error = LinkUnnamed(fd, name);
    if (error == EEXIST) continue;
    if (error != 0) return error;
    if (rename(name.c_str(), to.c_str()) == 0) return 0;
    const int renameError = errno;
    unlink(name.c_str());
    return renameError;
  }
  return EEXIST;
}

int CopyInto(const std::string& from, const std::string& to, bool replace) {
  Fd in(open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return errno;
  struct stat info;
  if (fstat(in.get(), &info) != 0) return errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;

  const std::string folder = ExtractFilePath(to);
  Fd unnamed(OpenUnnamed(folder));
  if (unnamed.get() >= 0) {
    flock(unnamed.get(), LOCK_EX);
    const int error = FillCopy(in.get(), info, unnamed.get());
    return error != 0 ? error : PlaceUnnamed(unnamed.get(), to, replace);
  }
  if (errno != EOPNOTSUPP) return errno;

  std::string name;
  Fd named(CreateLockedTemporary(folder, name));
  if (named.get() < 0) return errno;
  int error = FillCopy(in.get(), info, named.get());
  if (error == 0)
    error =
        replace ? (rename(name.c_str(), to.c_str()) == 0 ? 0 : errno) : RenameNoReplace(name, to);
  if (error != 0) unlink(name.c_str());
  return error;  // the lock goes with the descriptor, after the file has its name
}

// Names of temporary copies: this program's, and the ".stampel-" and six characters of
// mkstemp that earlier versions used.
bool IsTemporaryName(const char* name) {
  if (std::strncmp(name, kTemporaryPrefix, sizeof kTemporaryPrefix - 1) == 0) return true;
  if (std::strlen(name) != 15 || std::strncmp(name, ".stampel-", 9) != 0) return false;
  for (const char* c = name + 9; *c != '\0'; ++c)
    if (!std::isalnum(static_cast<unsigned char>(*c))) return false;
  return true;
}

}  // namespace

std::vector<std::string> ListFiles(const std::string& pattern) {
  std::vector<std::string> names;
  const std::string native = NativePath(pattern);
  const std::string directory = ExtractFilePath(native);
  const std::string mask = ExtractFileName(native);
  if (mask.empty()) return names;
  const WildcardPattern matcher(mask);
  const std::string folder = DirectoryOrDot(directory);
  DirHandle dir(opendir(folder.c_str()));
  if (!dir) return names;
  while (const dirent* entry = readdir(dir.get())) {
    if (IsHidden(entry->d_name) || !matcher.Matches(entry->d_name)) continue;
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

bool RemoveFile(const std::string& path, bool) { return unlink(NativePath(path).c_str()) == 0; }

bool RemoveEmptyDirectory(const std::string& path) { return rmdir(NativePath(path).c_str()) == 0; }

int CopyFileSafely(const std::string& source, const std::string& target, bool replace) {
  const std::string from = NativePath(source);
  const std::string to = NativePath(target);
  if (!replace && NameTaken(to)) return errno = EEXIST;
  return errno = CopyInto(from, to, replace);
}

void RemoveStaleTemporaries(const std::string& directory) {
  const std::string folder = DirectoryOrDot(directory);
  DirHandle dir(opendir(folder.c_str()));
  if (!dir) return;
  while (const dirent* entry = readdir(dir.get())) {
    if (!IsTemporaryName(entry->d_name)) continue;
    const std::string path = Join(folder, entry->d_name);
    Fd file(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat own, named;
    if (file.get() < 0 || fstat(file.get(), &own) != 0 || !S_ISREG(own.st_mode)) continue;
    // A copy under way holds the lock; a killed one holds nothing.
    if (flock(file.get(), LOCK_EX | LOCK_NB) != 0) continue;
    if (lstat(path.c_str(), &named) == 0 && named.st_dev == own.st_dev &&
        named.st_ino == own.st_ino)
      unlink(path.c_str());
  }
}

int MoveFileSafely(const std::string& source, const std::string& target, bool replace) {
  const std::string from = NativePath(source);
  const std::string to = NativePath(target);
  int error =
      replace ? (rename(from.c_str(), to.c_str()) == 0 ? 0 : errno) : RenameNoReplace(from, to);
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

bool ReadFileFacts(const std::string& path, FileFacts& facts) {
  struct stat info;
  if (stat(NativePath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  facts.size = static_cast<int64_t>(info.st_size);
  facts.modified = posix::Nanoseconds(info.st_mtim);
  facts.created = kNoTime;
  return true;
}

bool SetExactFileTimes(const std::string& path, int64_t modified, int64_t) {
  timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  // Floor division: times before 1970 are negative.
  int64_t seconds = modified / 1000000000;
  int64_t rest = modified % 1000000000;
  if (rest < 0) {
    rest += 1000000000;
    --seconds;
  }
  times[1].tv_sec = static_cast<time_t>(seconds);
  times[1].tv_nsec = static_cast<long>(rest);
  return utimensat(AT_FDCWD, NativePath(path).c_str(), times, 0) == 0;
}

bool GetFileTimes(const std::string& path, FileTimes& times) {
  struct stat info;
  if (stat(NativePath(path).c_str(), &info) != 0) return false;
  times.lastWrite = posix::LocalFromTimespec(info.st_mtim);
  times.creation = times.lastWrite;
  return true;
}

}  // namespace platform
