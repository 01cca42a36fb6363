#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

// What the progress window shows: every line of every pass, newest first, the number of
// files processed and the status text. Lines are kept oldest first so that adding one
// costs the same after 100,000 lines as after ten; rows are counted from the newest.
class ProgressLog {
 public:
  // Adds a line on top and raises the processed count by increment (modulo 2^32, the
  // count being unsigned); the line also becomes the status text.
  void Add(const std::string& text, int32_t increment);
  // Empties the status text; lines and count stay.
  void ClearStatus() { status_.clear(); }

  uint32_t ProcessedCount() const { return processedCount_; }
  // The processed count in decimal, as the window shows it.
  std::string ProcessedText() const { return std::to_string(processedCount_); }
  const std::string& Status() const { return status_; }

  size_t LineCount() const { return lines_.size(); }
  // Row 0 is the newest line; row LineCount() - 1 the oldest.
  const std::string& Line(size_t row) const { return lines_[lines_.size() - 1 - row]; }

 private:
  std::vector<std::string> lines_;  // oldest first
  uint32_t processedCount_ = 0;
  std::string status_;
};

}  // namespace ui
