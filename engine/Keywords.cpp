#include <algorithm>

#include "engine/Disk.h"
#include "engine/TargetName.h"
#include "platform/AsciiCase.h"
#include "readers/BaseFile.h"
#include "settings/Translations.h"

namespace {

// Position of the keyword (upper case) in the text, any letter case, or npos.
size_t FindKeyword(const std::string& text, const std::string& keyword) {
  const auto it = std::search(text.begin(), text.end(), keyword.begin(), keyword.end(),
                              [](char a, char b) { return platform::AsciiUpper(a) == b; });
  return it == text.end() ? std::string::npos : static_cast<size_t>(it - text.begin());
}

}  // namespace

std::string ApplyKeywords(const std::string& stem, tBaseFile& reader) {
  std::string result = stem;
  if (const size_t at = FindKeyword(result, "MODEL"); at != std::string::npos) {
    const std::string model = reader.GetModel();
    if (!model.empty()) result.replace(at, 5, MakeValidFileName(TranslateModel(model)));
  }
  if (const size_t at = FindKeyword(result, "SIZE"); at != std::string::npos) {
    const tImageSize size = reader.GetImageSize();
    result.replace(at, 4, MakeValidFileName(std::to_string(size.Width) + "x" + std::to_string(size.Height)));
  }
  if (const size_t at = FindKeyword(result, "ORIENT"); at != std::string::npos)
    result.replace(at, 6, reader.IsPortrait() ? PortraitWord : LandscapeWord);
  return result;
}
