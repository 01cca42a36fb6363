#pragma once

#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace test {

// Gives a test settings of its own: a fresh key (and, on POSIX, a fresh settings folder),
// loaded into the process-wide tables, and a journal folder of its own
// (JournalFolder()); the tables are restored afterwards.
class SettingsSandbox {
 public:
  SettingsSandbox();
  ~SettingsSandbox();
  SettingsSandbox(const SettingsSandbox&) = delete;
  SettingsSandbox& operator=(const SettingsSandbox&) = delete;

  // Loads the tables again from the sandbox's key, as a program start would.
  void Reload();
  const std::string& KeyPath() const { return keyPath_; }
  const std::string& ConfigFolder() const { return folder_.Path(); }
  std::string JournalFolder() const { return folder_ / "journal"; }

 private:
  TempDir folder_;
  std::string keyPath_;
  std::string savedLandscape_, savedPortrait_;
  std::vector<std::string> savedTranslations_;
};

}  // namespace test
