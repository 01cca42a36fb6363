#pragma once

#include <cstdint>
#include <string>

#include "engine/RunOptions.h"

// Renames (or copies) every file that the path pattern matches after the date-time it
// records, then, with Recurse, does the same in each subdirectory with the pattern's name
// part, depth first. Returns how many files were moved or copied. Per-file problems become
// progress lines; a file that cannot be opened ends the pass with EFOpenError.
int32_t RenameDirectory(const tRunOptions& options, const std::string& pathPattern);
