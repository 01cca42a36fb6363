#pragma once

#include <filesystem>
#include <string>

namespace test {

// UTF-8 text to a path and back, the same on every system.
std::filesystem::path Utf8Path(const std::string& text);
std::string PathText(const std::filesystem::path& path);

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, ending in the system's separator.
  const std::string& Path() const { return path_; }
  // Path() + name.
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);

}  // namespace test
