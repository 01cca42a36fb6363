#include "ui/console/RunTally.h"

#include "ui/RunLines.h"

namespace ui::console {

void RunTally::Count(tRunEventKind kind) {
  switch (kind) {
    case tRunEventKind::CouldNotRename:  // the transfer just announced: the same file
    case tRunEventKind::TakenBack:       // a member of a group that could not move whole
      --renamed_;
      return;
    case tRunEventKind::CouldNotTakeBack:  // a file already seen
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
