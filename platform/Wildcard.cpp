#include "platform/Wildcard.h"

#include "platform/AsciiCase.h"

namespace platform {

namespace {

// Iterative matcher with one backtracking point: linear in practice, never exponential.
bool Match(const std::string& name, const std::string& pattern) {
  size_t n = 0, p = 0;
  size_t starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || AsciiUpper(pattern[p]) == AsciiUpper(name[n]))) {
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

}  // namespace

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
  if (pattern == "*.*") return true;
  if (Match(name, pattern)) return true;
  // "name." stands for "name" without an extension, as on Windows.
  if (pattern.size() > 1 && pattern.back() == '.' && name.find('.') == std::string::npos)
    return Match(name, pattern.substr(0, pattern.size() - 1));
  return false;
}

}  // namespace platform
