#pragma once

#include <cstdint>
#include <string>

// Where the rename pass reports what it does, one line per file. The progress window
// implements it on Windows; on Linux /S prints the lines.
class tProgressSink {
 public:
  virtual ~tProgressSink() = default;
  // A file about to be moved or copied; increment is added to the processed count.
  virtual void AddLine(const std::string& text, int32_t increment) = 0;
  // A file skipped or failed (and "Stopped..."): the same, with an alert.
  virtual void AddAlertLine(const std::string& text, int32_t increment) = 0;
  // Empties the status text when a pass ends.
  virtual void ClearStatus() = 0;
};

// The process-wide progress window, or nullptr when there is none (a batch run without /S).
tProgressSink* ProgressWindow();
void SetProgressWindow(tProgressSink* window);
