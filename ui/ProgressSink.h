#pragma once

#include <cstdint>
#include <string>

namespace ui {

// A window that shows a run's lines, one a file: the progress window on Windows.
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

}  // namespace ui
