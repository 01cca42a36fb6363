#pragma once

#include <string>
#include <vector>

#include "engine/format/NamingSettings.h"

class tBaseFile;

// Replaces the first MODEL, SIZE and ORIENT (any letter case), in this order, by the
// reader's model (translated, made valid), its image size "WxH" and the orientation word.
// A missing model leaves its keyword as written. The reader is asked only for what the
// stem's keywords need.
std::string ApplyKeywords(const std::string& stem, tBaseFile& reader,
                          const tNamingSettings& naming);

// The translation of a model text, or the text itself when no line translates it.
std::string TranslateModel(const std::string& model, const std::vector<std::string>& translations);

// Keyword values made safe for a file name: codes 0-31 and * / : < > ? \ | become "_".
std::string MakeValidFileName(const std::string& text);
