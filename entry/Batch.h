#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/pass/RunOptions.h"
#include "readers/OpenReader.h"

class tFrontend;

// What the switches of a command line say, read before any path is processed.
struct tBatchCommand {
  tRunOptions Options;
  std::vector<std::string> Paths;  // the path patterns, in command-line order
  bool Help = false;               // a help word was given (reading stopped there) ...
  bool Version = false;            // ... and it was one of the version words
  bool ListOnly = false;           // /L: tell what the run would do, change nothing
  bool Undo = false;               // /U: take back the last run ...
  std::string UndoJournal;         // ... or, with /U:file, the run of that journal
  std::string Refusal;             // why a switch's value cannot be used (/Z:), or empty
};

// The window the command line asks for instead of a batch run: /W (any letter case)
// opens the main window as a start without arguments does, /W:folder opens it with the
// folder in its path box (Explorer's "Rename photos by date..."). Empty when no argument
// is /W; the folder, or "" for /W alone, otherwise. The last /W counts.
std::optional<std::string> WindowRequest(const std::vector<std::string>& arguments);

// Reads every switch into one set of options; the remaining arguments are path patterns.
// /S calls frontend.ShowBatchProgress() when it is read; a help word stops the reading.
// /L, /U, /U:file, /E, /M and /Z:shift count only as written (any letter case): /usr is
// a path. A /Z: whose shift cannot be read leaves its reason in Refusal.
tBatchCommand ReadSwitches(const std::vector<std::string>& arguments, tFrontend& frontend);

// The batch mode: reads the switches, then renames each path pattern in order with them,
// journalled (/L: lists what that would do and changes nothing), its events going to the
// frontend. /U takes back a run instead. /L and /U show their lines (the progress window
// then stays until closed). A help word shows the usage window instead. A switch whose
// value cannot be used stops everything before it starts (std::runtime_error, with the
// reason). Returns the exit
// code the frontend gives the run's result. companions: the value Companions, read at
// start-up.
int RunBatch(const std::vector<std::string>& arguments, tFrontend& frontend,
             const tReaderOptions& readers, bool companions = true);
