#pragma once

#include <string>
#include <string_view>

namespace platform {

// Matches file names against a wildcard pattern the way Windows does for the common
// cases: "*" any run of characters, "?" one character, letter case ignored (ASCII),
// "*.*" everything, and a pattern ending in "." also matches the name without the dot.
class WildcardPattern {
 public:
  explicit WildcardPattern(std::string pattern);
  bool Matches(std::string_view name) const;

 private:
  std::string pattern_;
  bool everything_;  // "*.*" or "*"
  bool ending_;      // "*" and a plain ending, as in "*.jpg": the pattern of nearly every run
};

bool MatchesWildcard(const std::string& name, const std::string& pattern);

}  // namespace platform
