#pragma once

#include <string>
#include <vector>

#include "settings/SettingsStore.h"

// The translation tables, loaded at start-up in both modes and shared by the translations
// dialog and the runs, which take a copy when they begin.

// The open settings key (see IsOpen).
extern tSettingsStore SettingsStore;

// Words put in place of the ORIENT keyword; "L" and "P" unless the user changed them.
extern std::string LandscapeWord;
extern std::string PortraitWord;

// Lines "model text=translation"; the first line whose model text equals the camera's
// (letter case ignored) gives the text used instead.
extern std::vector<std::string> ModelTranslations;

// The most model translations the settings hold.
constexpr int kMaxModelTranslations = 64;

// The settings key under HKEY_CURRENT_USER.
inline constexpr const char* kSettingsKeyPath = "Software\\Stampel";

// Opens the settings key (creating it) and loads the orientation words and up to 64 model
// translations. Without a key the defaults stay.
void LoadTranslations(const std::string& keyPath = kSettingsKeyPath);

// Replaces the tables and, when the key is open, writes them: each line under its number,
// except that empty lines and a lone "=" delete the value of their number; the values
// numbered from the new count up to 64 are deleted.
void StoreTranslations(const std::string& landscape, const std::string& portrait,
                       const std::vector<std::string>& lines);

// Closes the key at program end.
void CloseSettings();
