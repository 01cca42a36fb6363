#pragma once

#include <string>
#include <vector>

#include "engine/RunOptions.h"

class tFrontend;

// What the switches of a command line say, read before any path is processed.
struct tBatchCommand {
  tRunOptions options;
  std::vector<std::string> paths;  // the path patterns, in command-line order
  bool help = false;               // a help word was given (reading stopped there)
  bool version = false;            // ... and it was one of the version words
};

// Reads every switch into one set of options; the remaining arguments are path patterns.
// /S calls frontend.ShowBatchProgress() when it is read; a help word stops the reading.
tBatchCommand ReadSwitches(const std::vector<std::string>& arguments, tFrontend& frontend);

// The batch mode: reads the switches, then renames each path pattern in order with them,
// telling the frontend after each and at the end. A help word shows the usage window
// instead. Returns the exit code (0).
int RunBatch(const std::vector<std::string>& arguments, tFrontend& frontend);
