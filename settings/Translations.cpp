#include "settings/Translations.h"

#include "settings/ValueNames.h"

tSettingsStore SettingsStore;
std::string LandscapeWord = "L";
std::string PortraitWord = "P";
std::vector<std::string> ModelTranslations;

namespace {

// A word of another type than text keeps its default.
void LoadWord(const char* name, std::string& word) {
  try {
    const std::string text = SettingsStore.ReadStringValue(name);
    if (!text.empty()) word = text;
  } catch (const ERegistryException&) {
  }
}

}  // namespace

void LoadTranslations(const std::string& keyPath) {
  ModelTranslations.clear();
  if (!SettingsStore.Open(keyPath)) return;
  LoadWord(values::kOrientationLandscape, LandscapeWord);
  LoadWord(values::kOrientationPortrait, PortraitWord);
  // Gaps in the numbering close up; a value of another type ends the list.
  try {
    for (int n = 0; n < kMaxModelTranslations; ++n) {
      const std::string line = SettingsStore.ReadStringValue(values::ModelTranslation(n));
      if (!line.empty()) ModelTranslations.push_back(line);
    }
  } catch (const ERegistryException&) {
  }
}

void StoreTranslations(const std::string& landscape, const std::string& portrait,
                       const std::vector<std::string>& lines) {
  LandscapeWord = landscape;
  PortraitWord = portrait;
  ModelTranslations = lines;
  if (!SettingsStore.IsOpen()) return;
  SettingsStore.WriteStringValue(values::kOrientationLandscape, landscape);
  SettingsStore.WriteStringValue(values::kOrientationPortrait, portrait);
  const int count = static_cast<int>(lines.size());
  for (int i = 0; i < count; ++i) {
    // A line the user emptied must not come back from an older value at the next start.
    if (lines[i].empty() || lines[i] == "=")
      SettingsStore.DeleteValue(values::ModelTranslation(i));
    else
      SettingsStore.WriteStringValue(values::ModelTranslation(i), lines[i]);
  }
  for (int n = count; n <= kMaxModelTranslations; ++n)
    SettingsStore.DeleteValue(values::ModelTranslation(n));
}

void CloseSettings() { SettingsStore.Close(); }
