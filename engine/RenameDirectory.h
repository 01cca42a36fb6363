#pragma once

#include <cstdint>
#include <string>

#include "engine/RunOptions.h"

class tPassDisk;

// Renames (or copies) every file that the path pattern matches after the date-time it
// records, then, with Recurse, does the same in each subdirectory with the pattern's name
// part, depth first. Returns how many files were moved or copied. Per-file problems become
// progress lines; a file that cannot be opened ends the pass with EFOpenError.
int32_t RenameDirectory(const tRunOptions& options, const std::string& pathPattern);

// The same on the given disk: the real one (journalled or not), or a list-only one that
// makes the pass tell what it would do without changing anything. Subdirectories are
// walked on the same disk.
int32_t RenameDirectory(const tRunOptions& options, const std::string& pathPattern,
                        tPassDisk& disk);
