#pragma once

#include <cstdint>
#include <string>

namespace ui::console {

// Counts what the rename pass reports: the files it has seen (each has one line, and a
// failed transfer a second one) and the files it has moved or copied.
class RunTally {
 public:
  // A file about to be moved or copied.
  void Line(const std::string& text, int32_t increment);
  // A file skipped or failed; the failure of the transfer just announced takes that
  // file's count back.
  void AlertLine(const std::string& text);

  int64_t Seen() const { return seen_; }
  int64_t Renamed() const { return renamed_; }

 private:
  int64_t seen_ = 0;
  int64_t renamed_ = 0;
  std::string lastLine_;  // the latest announced transfer, until another line follows
  int32_t lastIncrement_ = 0;
};

// "1234 files seen, 1200 renamed" ("copied" when the run copies).
std::string TallyText(const RunTally& tally, bool copying);

}  // namespace ui::console
