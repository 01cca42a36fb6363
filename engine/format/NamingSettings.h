#pragma once

#include <string>
#include <vector>

#include "engine/format/LocaleFormats.h"

// How names are made: the locale's date and time conventions, the model translations and
// the orientation words. A run takes a copy when it begins.
struct tNamingSettings {
  tLocaleFormats Locale;
  // Lines "model text=translation"; the first whose model text equals the camera's
  // (letter case ignored) gives the text used instead.
  std::vector<std::string> ModelTranslations;
  std::string LandscapeWord = "L";  // put in place of ORIENT
  std::string PortraitWord = "P";
};
