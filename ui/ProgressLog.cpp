#include "ui/ProgressLog.h"

namespace ui {

void ProgressLog::Add(const std::string& text, int32_t increment) {
  processedCount_ += static_cast<uint32_t>(increment);
  status_ = text;
  lines_.push_back(text);
}

}  // namespace ui
