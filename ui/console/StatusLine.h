#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace ui::console {

// One line on a terminal that is rewritten in place: drawn at most ten times a second,
// cut to the terminal's width so that it never wraps, and erased on request.
class StatusLine {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  using Writer = std::function<void(const std::string&)>;

  static constexpr std::chrono::milliseconds kInterval{100};

  // width: the terminal's columns, 0 when unknown.
  StatusLine(Writer write, Clock now, int width);

  // Shows the text, unless the line was drawn less than kInterval ago.
  void Show(const std::string& text);
  // Erases the line if it is drawn; a later Show draws it again, within the same limit.
  void Clear();
  bool Drawn() const { return drawn_; }

 private:
  Writer write_;
  Clock now_;
  size_t limit_;
  bool drawn_ = false;
  bool everDrawn_ = false;
  std::chrono::steady_clock::time_point lastDraw_;
};

}  // namespace ui::console
