#pragma once

#include <cstdint>
#include <string>

struct tRun;

// Renames (or copies) every file that the path pattern matches after the date-time it
// records, then, with Recurse, does the same in each subdirectory with the pattern's name
// part, depth first. Everything goes through the run: its options and naming settings,
// its file system, its counter, its events (one per file) and its cancel token, which the
// pass looks at before each file and each subdirectory. Returns how many files were moved
// or copied. Per-file problems are events; a file that cannot be opened ends the pass with
// EFOpenError (the files before it are done), and so does a journal that cannot be written
// (EJournalError, before the change it could not record).
int32_t RenameDirectory(tRun& run, const std::string& pathPattern);
