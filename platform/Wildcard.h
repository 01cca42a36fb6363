#pragma once

#include <string>

namespace platform {

// Matches a file name against a wildcard pattern the way Windows does for the common
// cases: "*" any run of characters, "?" one character, letter case ignored (ASCII),
// "*.*" everything, and a pattern ending in "." also matches the name without the dot.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

}  // namespace platform
