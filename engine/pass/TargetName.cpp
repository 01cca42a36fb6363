#include "engine/pass/TargetName.h"

#include "platform/Path.h"

std::string CleanTargetName(const std::string& stem) {
  std::string result = stem;
  for (size_t i = 0; i < result.size(); ++i) {
    const char c = result[i];
    if (c == '"' || c == '*' || c == ',' || c == '/' || c == '<' || c == '>' || c == '?' ||
        c == '|' || (c == ':' && i != 1))
      result[i] = ' ';
  }
  return result;
}

std::string CounterText(int32_t value, int32_t width) {
  std::string text = std::to_string(value);
  if (width > 0 && text.size() < static_cast<size_t>(width))
    text.insert(0, static_cast<size_t>(width) - text.size(), '0');
  return text;
}

std::string ExtractFileBase(const std::string& path) {
  const std::string name = platform::ExtractFileName(path);
  return name.substr(0, name.find('.'));
}

std::string ComposeTarget(const std::string& prefix, const std::string& stem,
                          const std::string& source, const std::string& counter, bool dropOldName) {
  const bool ownPath = stem.find('\\') != std::string::npos || stem.find(':') != std::string::npos;
  const std::string directory = ownPath ? std::string() : prefix;
  const std::string oldName = dropOldName ? std::string() : ExtractFileBase(source);
  return platform::NativePath(directory + stem + oldName + counter +
                              platform::ExtractFileExt(source));
}

std::string UniqueFileName(const std::string& target,
                           const std::function<bool(const std::string&)>& exists) {
  static const char kSuffixes[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ!@";
  const std::string directory = platform::ExtractFilePath(target);
  const std::string name = platform::ExtractFileName(target);
  const std::string extension = platform::ExtractFileExt(target);
  std::string candidate;
  for (const char* c = kSuffixes; *c != '\0'; ++c) {
    candidate = directory + name + "_" + *c + extension;
    if (!exists(candidate)) return candidate;
  }
  return candidate;
}
