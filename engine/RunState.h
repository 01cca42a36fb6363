#pragma once

#include <cstdint>

// Process-wide state of the rename pass.

// Set by every call of the pass; cleared by the progress window's Stop button (and by
// Ctrl+C on Linux). The pass reads it before each file and each subdirectory.
extern bool KeepRunning;

// The running counter: 0 at program start, raised by 1 before each use, never reset,
// so numbering runs on across folders, path arguments and runs.
extern int32_t FileCounter;
