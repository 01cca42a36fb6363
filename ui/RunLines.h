#pragma once

#include <cstdint>
#include <string>

#include "engine/pass/RunEvents.h"
#include "ui/ProgressSink.h"

namespace ui {

// The line a user reads for an event, the same in the progress window and on a terminal:
// "Stampel 3: C:\Photos\IMG_1.JPG -> C:\Photos\2004-05-06_IMG_1.JPG" and the like.
std::string RunLineText(const tRunEvent& event);
// Problem lines and "Stopped..." are alert lines: they sound and pause in the window.
bool IsAlertLine(tRunEventKind kind);
// What a line adds to the window's count of files processed.
int32_t LineIncrement(tRunEventKind kind);

// A run's events as lines in a progress window, when there is one. Between files it lets
// the window messages run, so that the windows stay painted and Stop is heard.
class tProgressLines : public tRunEvents {
 public:
  explicit tProgressLines(tProgressSink* sink = nullptr) : sink_(sink) {}
  void SetSink(tProgressSink* sink) { sink_ = sink; }
  tProgressSink* Sink() const { return sink_; }

  void Report(const tRunEvent& event) override;
  void PassEnded() override;
  void Breathe() override;

 private:
  tProgressSink* sink_;
};

}  // namespace ui
