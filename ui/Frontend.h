#pragma once

#include <string>

#include "engine/pass/Run.h"

// What the program's entry asks of the user interface: the Win32 windows on Windows,
// the terminal on Linux.
class tFrontend {
 public:
  virtual ~tFrontend() = default;

  // /S in batch mode: creates the progress window (without a Close button, Stop in its
  // place) and shows it at once; the batch run's lines go there.
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
  // Where the events of the batch run with these options go, and what its Stop (or
  // Ctrl+C) asks of it.
  virtual tRunEvents& BatchEvents(const tRunOptions& options) = 0;
  virtual tCancelToken& BatchCancel() = 0;
  // Batch mode: the run has ended with this result; returns the program's exit code. A
  // failure that ended the run is shown as the last-chance handler shows one.
  virtual int BatchDone(const tRunResult& result) = 0;
  // No arguments, or /W: the interactive mode; returns the exit code. With a folder
  // (/W:folder) the window opens with that folder in its path box.
  virtual int RunInteractive(const tReaderOptions& readers, const std::string& folder = "") = 0;
  // The last-chance handler: shows the message of a failure that ended the program.
  virtual void ReportFailure(const std::string& message) = 0;
};

// The frontend of this build.
tFrontend& Frontend();
