#include "tests/support/SettingsSandbox.h"

#include <cstdlib>
#include <random>

#include "settings/Translations.h"

namespace test {

namespace {

// putenv keeps the pointer, so the text must outlive the test.
void PointConfigFolderAt(const std::string& folder) {
  static std::string setting;
  setting = "STAMPEL_CONFIG_DIR=" + folder;
  putenv(setting.data());
  // Runs journal into the sandbox too, never into the user's own folder.
  static std::string journal;
  journal = "STAMPEL_JOURNAL_DIR=" + folder + "journal";
  putenv(journal.data());
}

}  // namespace

SettingsSandbox::SettingsSandbox()
    : savedLandscape_(LandscapeWord),
      savedPortrait_(PortraitWord),
      savedTranslations_(ModelTranslations) {
  std::random_device random;
  keyPath_ = "Software\\StampelTest\\" + std::to_string(random());
  PointConfigFolderAt(folder_.Path());
  Reload();
}

SettingsSandbox::~SettingsSandbox() {
  CloseSettings();
  LandscapeWord = savedLandscape_;
  PortraitWord = savedPortrait_;
  ModelTranslations = savedTranslations_;
}

void SettingsSandbox::Reload() {
  CloseSettings();
  LandscapeWord = "L";
  PortraitWord = "P";
  LoadTranslations(keyPath_);
}

}  // namespace test
