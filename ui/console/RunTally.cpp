#include "ui/console/RunTally.h"

namespace ui::console {

namespace {

// The pass's line for a move or copy that failed after it was announced.
constexpr const char kFailedTransfer[] = " -> couldn't rename this file";

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

void RunTally::Line(const std::string& text, int32_t increment) {
  ++seen_;
  renamed_ += increment;
  lastLine_ = text;
  lastIncrement_ = increment;
}

void RunTally::AlertLine(const std::string& text) {
  // "Stampel n: source -> couldn't rename this file" after "Stampel n: source -> target"
  // is the same file.
  const std::string failed(kFailedTransfer);
  const bool sameFile = !lastLine_.empty() && EndsWith(text, failed) &&
                        lastLine_.compare(0, text.size() - failed.size() + 4, text, 0,
                                          text.size() - failed.size() + 4) == 0;
  if (sameFile)
    renamed_ -= lastIncrement_;
  else
    ++seen_;
  lastLine_.clear();
}

std::string TallyText(const RunTally& tally, bool copying) {
  return std::to_string(tally.Seen()) + (tally.Seen() == 1 ? " file seen, " : " files seen, ") +
         std::to_string(tally.Renamed()) + (copying ? " copied" : " renamed");
}

}  // namespace ui::console
