// The floor for the rename benchmark: for each .jpg file of a folder, one after another,
// open it, read its first 4 KiB (where a JPEG's Exif block begins), close it and give it
// a new name. Nothing is parsed; a renamer that waits for each file before it asks for
// the next cannot do less and still look at the files.
//
// With --journal FILE it also does what an undoable run cannot leave out, and no more:
// it asks each open file for its size and times (a journal records them, to know the file
// again), writes the intents of up to 64 renames to FILE before making them and their
// done marks after, and flushes FILE to disk at the end.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr size_t kBatch = 64;

void WriteAll(int fd, const std::string& text) {
  if (fd >= 0 && write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
    std::perror("journal");
}

}  // namespace

int main(int argc, char** argv) {
  const char* journalPath = nullptr;
  if (argc == 4 && std::strcmp(argv[1], "--journal") == 0) {
    journalPath = argv[2];
    argv += 2;
    argc -= 2;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: floor [--journal FILE] FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  std::vector<std::string> names;
  if (DIR* dir = opendir(argv[1])) {
    while (const dirent* entry = readdir(dir)) {
      const size_t length = std::strlen(entry->d_name);
      if (length > 4 && strcasecmp(entry->d_name + length - 4, ".jpg") == 0)
        names.emplace_back(entry->d_name);
    }
    closedir(dir);
  }
  const int journal =
      journalPath ? open(journalPath, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600)
                  : -1;
  if (journalPath && journal < 0) {
    std::perror(journalPath);
    return 1;
  }
  static char head[4096];
  std::string text;
  for (size_t first = 0; first < names.size(); first += kBatch) {
    const size_t end = std::min(names.size(), first + kBatch);
    text.clear();
    for (size_t i = first; i < end; ++i) {
      const std::string path = folder + names[i];
      const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) continue;
      struct stat facts {};
      if (journal >= 0 && fstat(fd, &facts) != 0) std::perror(path.c_str());
      if (read(fd, head, sizeof head) < 0) std::perror(path.c_str());
      close(fd);
      if (journal >= 0)
        text += std::to_string(i + 1) + "\tmove\tfrom=" + path + "\tto=" + folder + "f_" +
                names[i] + "\tsize=" + std::to_string(facts.st_size) +
                "\tmodified=" + std::to_string(facts.st_mtim.tv_sec) + "." +
                std::to_string(facts.st_mtim.tv_nsec) + "\n";
    }
    WriteAll(journal, text);
    text.clear();
    for (size_t i = first; i < end; ++i) {
      const std::string path = folder + names[i];
      const std::string target = folder + "f_" + names[i];
      if (rename(path.c_str(), target.c_str()) != 0) std::perror(path.c_str());
      if (journal >= 0) text += std::to_string(i + 1) + "\tdone\n";
    }
    WriteAll(journal, text);
  }
  if (journal >= 0 && (fsync(journal) != 0 || close(journal) != 0)) std::perror(journalPath);
  return 0;
}
