#include "tests/fuzz/FuzzFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace fuzz {

namespace {

std::string ScratchPath() {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path folder =
      fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
  return (folder / ("stampel-fuzz-" + std::to_string(std::random_device()()))).string();
}

struct Scratch {
  std::string path = ScratchPath();
  ~Scratch() { std::remove(path.c_str()); }
};

}  // namespace

const std::string& WriteInput(const uint8_t* data, size_t size) {
  static Scratch scratch;
  std::ofstream out(scratch.path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", scratch.path.c_str());
    std::abort();
  }
  return scratch.path;
}

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}

}  // namespace fuzz
