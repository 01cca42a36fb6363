#pragma once

#include <functional>
#include <string>

#include "engine/Progress.h"
#include "ui/console/RunTally.h"
#include "ui/console/StatusLine.h"

namespace ui::console {

// The rename pass's progress sink in a terminal program. It counts every line; with /S
// it prints them (one a line, oldest first, as a terminal log reads); otherwise it can
// keep a status line with the counts up to date.
class ConsoleProgress : public tProgressSink {
 public:
  using Printer = std::function<void(const std::string& line, bool alert)>;

  explicit ConsoleProgress(Printer print) : print_(std::move(print)) {}

  // /S: print every line from now on (and no status line).
  void PrintLines() { printLines_ = true; }
  bool PrintsLines() const { return printLines_; }
  // Where the counts go while lines are not printed; nullptr for nowhere.
  void KeepStatusOn(StatusLine* status) { status_ = status; }
  // The run copies: the status line says so.
  void SetCopying(bool copying) { copying_ = copying; }

  // A line of the program's own (Ctrl+C's "Stopped..."): printed like an alert, not counted.
  void PrintOwnAlert(const std::string& text);

  const RunTally& Tally() const { return tally_; }

  void AddLine(const std::string& text, int32_t increment) override;
  void AddAlertLine(const std::string& text, int32_t increment) override;
  void ClearStatus() override {}

 private:
  void Report(const std::string& text, bool alert);

  Printer print_;
  RunTally tally_;
  StatusLine* status_ = nullptr;
  bool printLines_ = false;
  bool copying_ = false;
};

}  // namespace ui::console
