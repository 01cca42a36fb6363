#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/Progress.h"

namespace test {

// Keeps the progress lines of a pass, oldest first, and becomes the progress window while
// it lives. A test may act on each line (stop the pass, delete a file...).
class RecordingSink : public tProgressSink {
 public:
  struct Line {
    std::string text;
    bool alert;
    int32_t increment;
  };

  RecordingSink() { SetProgressWindow(this); }
  ~RecordingSink() override { SetProgressWindow(nullptr); }

  void AddLine(const std::string& text, int32_t increment) override {
    lines.push_back({text, false, increment});
    if (onLine) onLine(text);
  }
  void AddAlertLine(const std::string& text, int32_t increment) override {
    lines.push_back({text, true, increment});
    if (onLine) onLine(text);
  }
  void ClearStatus() override { ++clears; }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Line& line : lines) texts.push_back(line.text);
    return texts;
  }

  std::vector<Line> lines;
  int clears = 0;
  std::function<void(const std::string&)> onLine;
};

}  // namespace test
