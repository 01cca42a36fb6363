#include "platform/Wildcard.h"

#include <utility>

#include "platform/AsciiCase.h"

namespace platform {

namespace {

// Iterative matcher with one backtracking point: linear in practice, never exponential.
bool Match(std::string_view name, std::string_view pattern) {
  size_t n = 0, p = 0;
  size_t starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || AsciiUpper(pattern[p]) == AsciiUpper(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool EndsWithIgnoringCase(std::string_view name, std::string_view ending) {
  if (name.size() < ending.size()) return false;
  const size_t from = name.size() - ending.size();
  for (size_t i = 0; i < ending.size(); ++i)
    if (AsciiUpper(ending[i]) != AsciiUpper(name[from + i])) return false;
  return true;
}

}  // namespace

WildcardPattern::WildcardPattern(std::string pattern)
    : pattern_(std::move(pattern)),
      everything_(pattern_ == "*.*" || pattern_ == "*"),
      ending_(pattern_.size() > 1 && pattern_[0] == '*' &&
              pattern_.find_first_of("*?", 1) == std::string::npos && pattern_.back() != '.') {}

bool WildcardPattern::Matches(std::string_view name) const {
  if (everything_) return true;
  if (ending_) return EndsWithIgnoringCase(name, std::string_view(pattern_).substr(1));
  if (Match(name, pattern_)) return true;
  // "name." stands for "name" without an extension, as on Windows.
  if (pattern_.size() > 1 && pattern_.back() == '.' && name.find('.') == std::string::npos)
    return Match(name, std::string_view(pattern_).substr(0, pattern_.size() - 1));
  return false;
}

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
  return WildcardPattern(pattern).Matches(name);
}

}  // namespace platform
