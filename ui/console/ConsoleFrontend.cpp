// The terminal as the user interface of the POSIX build.

#include <cstdio>

#include "engine/Progress.h"
#include "engine/RunState.h"
#include "platform/Messages.h"
#include "ui/About.h"
#include "ui/Frontend.h"

namespace {

// /S: each progress line is printed as it happens, oldest first as a terminal log reads.
class ConsoleProgress : public tProgressSink {
 public:
  void AddLine(const std::string& text, int32_t) override { Print(text); }
  void AddAlertLine(const std::string& text, int32_t) override { Print(text); }
  void ClearStatus() override {}

 private:
  static void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
};

// The switches that see a run before it changes anything and take it back after.
constexpr char kSafetySwitches[] =
    "\n"
    "/L        list only: print what the run would do, in the same lines as /S, and change\n"
    "          nothing\n"
    "/U        undo the last run (its journal is in $XDG_STATE_HOME/stampel/journal/,\n"
    "          by default ~/.local/state/stampel/journal/); /U:file undoes the run of\n"
    "          that journal. Files changed or moved since are left as they are.\n";

class ConsoleFrontend : public tFrontend {
 public:
  void ShowBatchProgress() override {
    if (ProgressWindow() == &progress_) return;
    SetProgressWindow(&progress_);
    // Ctrl+C acts as the Stop button: the pass ends after the current file.
    platform::OnInterrupt([this] {
      KeepRunning = false;
      progress_.AddAlertLine("Stopped...", 0);
    });
  }

  void WaitForProgressClose() override {}

  void ShowUsage() override {
    std::fputs(about::UsageText().c_str(), stdout);
    std::fputs(kSafetySwitches, stdout);
  }

  // There is no window of this build's own yet: the usage tells how to run it.
  int RunInteractive() override {
    ShowUsage();
    return 0;
  }

  void ReportFailure(const std::string& message) override {
    std::fprintf(stderr, "stampel: %s\n", message.c_str());
  }

 private:
  ConsoleProgress progress_;
};

}  // namespace

tFrontend& Frontend() {
  static ConsoleFrontend frontend;
  return frontend;
}
