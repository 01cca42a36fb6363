#include "ui/console/ConsoleProgress.h"

namespace ui::console {

void ConsoleProgress::PrintOwnAlert(const std::string& text) {
  if (printLines_) print_(text, true);
}

void ConsoleProgress::AddLine(const std::string& text, int32_t increment) {
  tally_.Line(text, increment);
  Report(text, false);
}

void ConsoleProgress::AddAlertLine(const std::string& text, int32_t) {
  tally_.AlertLine(text);
  Report(text, true);
}

void ConsoleProgress::Report(const std::string& text, bool alert) {
  if (printLines_)
    print_(text, alert);
  else if (status_ != nullptr)
    status_->Show(TallyText(tally_, copying_));
}

}  // namespace ui::console
