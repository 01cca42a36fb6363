#include "engine/pass/TargetName.h"

#include <string_view>
#include <utility>

#include "platform/Path.h"

namespace {

// The characters a name cannot hold (the colon of a drive aside).
struct BlankedCharacters {
  bool blanked[256] = {};
  constexpr BlankedCharacters() {
    for (char c : {'"', '*', ',', '/', '<', '>', '?', '|', ':'})
      blanked[static_cast<unsigned char>(c)] = true;
  }
};
constexpr BlankedCharacters kBlanked;

}  // namespace

std::string CleanTargetName(const std::string& stem) {
  std::string result = stem;
  for (size_t i = 0; i < result.size(); ++i)
    if (kBlanked.blanked[static_cast<unsigned char>(result[i])] && !(result[i] == ':' && i == 1))
      result[i] = ' ';
  return result;
}

std::string CounterText(int32_t value, int32_t width) {
  std::string text = std::to_string(value);
  if (width > 0 && text.size() < static_cast<size_t>(width))
    text.insert(0, static_cast<size_t>(width) - text.size(), '0');
  return text;
}

namespace {

// The name part of a path, as a view into it.
std::string_view NamePart(const std::string& path) {
  const size_t last = platform::LastDelimiter(path);
  return last == std::string::npos ? std::string_view(path)
                                   : std::string_view(path).substr(last + 1);
}

}  // namespace

std::string ExtractFileBase(const std::string& path) {
  const std::string_view name = NamePart(path);
  return std::string(name.substr(0, name.find('.')));
}

std::string ComposeTarget(const std::string& prefix, const std::string& stem,
                          const std::string& source, const std::string& counter, bool dropOldName) {
  // A name for every file of a run: built in one string.
  const bool ownPath = stem.find_first_of("\\:") != std::string::npos;
  const std::string_view name = NamePart(source);
  const size_t dot = name.rfind('.');
  const std::string_view extension =
      dot == std::string_view::npos ? std::string_view() : name.substr(dot);
  const std::string_view oldName =
      dropOldName ? std::string_view() : name.substr(0, name.find('.'));
  std::string target;
  target.reserve((ownPath ? 0 : prefix.size()) + stem.size() + oldName.size() + counter.size() +
                 extension.size());
  if (!ownPath) target += prefix;
  target += stem;
  target += oldName;
  target += counter;
  target += extension;
  platform::MakeNative(target);
  return target;
}

std::string VariantTarget(const std::string& target, char suffix) {
  if (suffix == 0) return target;
  return target + "_" + suffix + platform::ExtractFileExt(target);
}

std::string CompanionTarget(bool baseName, const std::string& ownerTarget,
                            const std::string& leaderTarget, const std::string& tail) {
  if (!baseName) return ownerTarget + tail;
  const std::string extension = platform::ExtractFileExt(leaderTarget);
  return leaderTarget.substr(0, leaderTarget.size() - extension.size()) + tail;
}

std::string UniqueFileName(const std::string& target,
                           const std::function<bool(const std::string&)>& exists) {
  std::string candidate;
  for (const char* c = kVariantSuffixes; *c != '\0'; ++c) {
    candidate = VariantTarget(target, *c);
    if (!exists(candidate)) return candidate;
  }
  return candidate;
}
