// The floor for the rename benchmark: for each .jpg file of a folder, one after another,
// open it, read its first 4 KiB (where a JPEG's Exif block begins), close it and give it
// a new name. Nothing is parsed; a renamer that waits for each file before it asks for
// the next cannot do less and still look at the files.

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: floor FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  std::vector<std::string> names;
  if (DIR* dir = opendir(argv[1])) {
    while (const dirent* entry = readdir(dir)) {
      const size_t length = std::strlen(entry->d_name);
      if (length > 4 && strcasecmp(entry->d_name + length - 4, ".jpg") == 0) names.emplace_back(entry->d_name);
    }
    closedir(dir);
  }
  static char head[4096];
  for (const std::string& name : names) {
    const std::string path = folder + name;
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) continue;
    if (read(fd, head, sizeof head) < 0) std::perror(path.c_str());
    close(fd);
    const std::string target = folder + "f_" + name;
    if (rename(path.c_str(), target.c_str()) != 0) std::perror(path.c_str());
  }
  return 0;
}
