#pragma once

#include <string>
#include <vector>

#include "engine/RunOptions.h"

class tFrontend;

// What the switches of a command line say, read before any path is processed.
struct tBatchCommand {
  tRunOptions options;
  std::vector<std::string> paths;  // the path patterns, in command-line order
  bool help = false;               // a help word was given (reading stopped there) ...
  bool version = false;            // ... and it was one of the version words
  bool listOnly = false;           // /L: tell what the run would do, change nothing
  bool undo = false;               // /U: take back the last run ...
  std::string undoJournal;         // ... or, with /U:file, the run of that journal
};

// Reads every switch into one set of options; the remaining arguments are path patterns.
// /S calls frontend.ShowBatchProgress() when it is read; a help word stops the reading.
tBatchCommand ReadSwitches(const std::vector<std::string>& arguments, tFrontend& frontend);

// The batch mode: reads the switches, then renames each path pattern in order with them,
// journalled (/L: lists what that would do and changes nothing), telling the frontend
// before and after each and at the end. /U takes back a run instead. /L and /U show their
// lines (the progress window then stays until closed). A help word shows the usage window
// instead. Returns the exit code (0).
int RunBatch(const std::vector<std::string>& arguments, tFrontend& frontend);
