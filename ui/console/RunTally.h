#pragma once

#include <cstdint>
#include <string>

#include "engine/pass/RunEvents.h"

namespace ui::console {

// Counts what a run reports: the files it has seen (each has one event, and a failed
// transfer a second one) and the files it has moved or copied (or, in an undo, put back).
class RunTally {
 public:
  void Count(tRunEventKind kind);

  int64_t Seen() const { return seen_; }
  int64_t Renamed() const { return renamed_; }

 private:
  int64_t seen_ = 0;
  int64_t renamed_ = 0;
};

// "1234 files seen, 1200 renamed" ("copied" when the run copies).
std::string TallyText(const RunTally& tally, bool copying);

}  // namespace ui::console
