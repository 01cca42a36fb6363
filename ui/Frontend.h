#pragma once

#include <string>

#include "engine/RunOptions.h"

class tProgressSink;

// What the program's entry asks of the user interface: the Win32 windows on Windows,
// the terminal on Linux.
class tFrontend {
 public:
  virtual ~tFrontend() = default;

  // /S in batch mode: creates the progress window (without a Close button, Stop in its
  // place), shows it at once, and makes it the pass's progress window.
  virtual void ShowBatchProgress() = 0;
  // After /L or /U in batch mode: the progress window stays, now with its Close button,
  // until the user closes it. Where the lines go to a terminal there is nothing to wait for.
  virtual void WaitForProgressClose() = 0;
  // A help word: hides the progress window if /S created one, then shows the about and
  // usage window modally; returns when the user closes it.
  virtual void ShowUsage() = 0;
  // A version word (/VERSION, -VERSION, --VERSION): the same window, unless a frontend
  // has a shorter answer.
  virtual void ShowVersion() { ShowUsage(); }
  // Batch mode: the pass is about to process one path pattern with these options ...
  virtual void PatternStarting(const tRunOptions& /*options*/, const std::string& /*pattern*/) {}
  // ... and has processed it.
  virtual void PatternDone(const tRunOptions& /*options*/, const std::string& /*pattern*/) {}
  // Batch mode: every path pattern has been processed.
  virtual void BatchDone() {}
  // No arguments: the interactive mode; returns the exit code.
  virtual int RunInteractive() = 0;
  // The last-chance handler: shows the message of a failure that ended the program.
  virtual void ReportFailure(const std::string& message) = 0;
};

// The frontend of this build.
tFrontend& Frontend();
