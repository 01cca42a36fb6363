#include "ui/console/StatusLine.h"

namespace ui::console {

namespace {

// Back to the start of the line; erase from there to its end.
constexpr const char kReturn[] = "\r";
constexpr const char kEraseToEnd[] = "\x1b[K";

}  // namespace

StatusLine::StatusLine(Writer write, Clock now, int width)
    // The last column stays free: writing into it makes some terminals wrap at once.
    : write_(std::move(write)),
      now_(std::move(now)),
      limit_(width > 1 ? static_cast<size_t>(width - 1) : 79) {}

void StatusLine::Show(const std::string& text) {
  const auto now = now_();
  if (everDrawn_ && now - lastDraw_ < kInterval) return;
  write_(kReturn + text.substr(0, limit_) + kEraseToEnd);
  drawn_ = everDrawn_ = true;
  lastDraw_ = now;
}

void StatusLine::Clear() {
  if (!drawn_) return;
  write_(std::string(kReturn) + kEraseToEnd);
  drawn_ = false;
}

}  // namespace ui::console
