#include "engine/format/Keywords.h"

#include <string_view>

#include "platform/AsciiCase.h"
#include "readers/BaseFile.h"

namespace {

// Position of the keyword (upper case) in the text, any letter case, or npos.
size_t FindKeyword(const std::string& text, std::string_view keyword) {
  // Every stem of a run is searched three times: its first letter is looked for first.
  const char lower = static_cast<char>(keyword[0] - 'A' + 'a');
  for (size_t at = 0; at + keyword.size() <= text.size(); ++at) {
    if (text[at] != keyword[0] && text[at] != lower) continue;
    size_t i = 1;
    while (i < keyword.size() && platform::AsciiUpper(text[at + i]) == keyword[i]) ++i;
    if (i == keyword.size()) return at;
  }
  return std::string::npos;
}

}  // namespace

std::string ApplyKeywords(const std::string& stem, tBaseFile& reader,
                          const tNamingSettings& naming) {
  std::string result = stem;
  if (const size_t at = FindKeyword(result, "MODEL"); at != std::string::npos) {
    const std::string model = reader.GetModel();
    if (!model.empty())
      result.replace(at, 5, MakeValidFileName(TranslateModel(model, naming.ModelTranslations)));
  }
  if (const size_t at = FindKeyword(result, "SIZE"); at != std::string::npos) {
    const tImageSize size = reader.GetImageSize();
    result.replace(
        at, 4, MakeValidFileName(std::to_string(size.Width) + "x" + std::to_string(size.Height)));
  }
  if (const size_t at = FindKeyword(result, "ORIENT"); at != std::string::npos)
    result.replace(at, 6, reader.IsPortrait() ? naming.PortraitWord : naming.LandscapeWord);
  return result;
}

std::string TranslateModel(const std::string& model, const std::vector<std::string>& translations) {
  for (const std::string& line : translations) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos || !platform::SameIgnoringCase(line.substr(0, equals), model))
      continue;
    const std::string translation = line.substr(equals + 1);
    return translation.empty() ? model : translation;
  }
  return model;
}

std::string MakeValidFileName(const std::string& text) {
  std::string result = text;
  for (char& c : result) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || c == '*' || c == '/' || c == ':' || c == '<' || c == '>' || c == '?' ||
        c == '\\' || c == '|')
      c = '_';
  }
  return result;
}
