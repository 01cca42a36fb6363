#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/format/NamingSettings.h"
#include "engine/pass/MovePlanner.h"
#include "engine/pass/RunEvents.h"
#include "engine/pass/RunOptions.h"
#include "readers/OpenReader.h"

namespace platform {
class FileSystem;
}

// Asks a run to stop after the file it is on. Any thread (or a signal's deferred handler)
// may ask; the run looks before each file and each folder.
class tCancelToken {
 public:
  // The progress window's Stop button: the path pattern under way ends; the next one of
  // the same run starts again.
  void StopPattern() { patternStopped_ = true; }
  // Ctrl+C or a closed output: the whole run ends, every remaining pattern with it.
  void EndRun() { runEnded_ = true; }
  // A new path pattern begins: a Stop of the last one is forgotten.
  void BeginPattern() { patternStopped_ = false; }
  bool Stopped() const { return patternStopped_ || runEnded_; }
  bool RunEnded() const { return runEnded_; }

 private:
  std::atomic<bool> patternStopped_{false};
  std::atomic<bool> runEnded_{false};
};

// One run: what the frontend hands to the rename pass, the list-only run and the undo.
// Nothing of a run lives anywhere else, so runs can be made and tested side by side.
struct tRun {
  tRunOptions Options;
  tNamingSettings Naming;
  tReaderOptions Readers;
  // The running counter. The frontend keeps it, so that numbering runs on across the
  // patterns and runs of one process.
  int32_t* Counter = nullptr;
  tCancelToken* Cancel = nullptr;
  platform::FileSystem* Files = nullptr;
  tRunEvents* Events = nullptr;
  // Where the pass announces its next plain moves before it makes them (the journal of
  // a real run); nullptr when nobody needs to know.
  tMovePlanner* Planner = nullptr;
  // What the run has come to so far.
  tRunResult Result;

  // Counts the event into the result and hands it to the frontend.
  void Report(const tRunEvent& event);
  bool Stopped() const { return Cancel != nullptr && Cancel->Stopped(); }
};
