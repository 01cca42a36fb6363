#include "ui/console/RunTally.h"

#include "ui/RunLines.h"

namespace ui::console {

void RunTally::Count(tRunEventKind kind) {
  switch (kind) {
    case tRunEventKind::CouldNotRename:  // the transfer just announced: the same file
      --renamed_;
      return;
    case tRunEventKind::Stopped:  // the user's, not a file's
      return;
    default:
      ++seen_;
      renamed_ += LineIncrement(kind);
  }
}

std::string TallyText(const RunTally& tally, bool copying) {
  return std::to_string(tally.Seen()) + (tally.Seen() == 1 ? " file seen, " : " files seen, ") +
         std::to_string(tally.Renamed()) + (copying ? " copied" : " renamed");
}

}  // namespace ui::console
