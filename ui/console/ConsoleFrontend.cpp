// The terminal as the user interface of the POSIX build.

#include <chrono>
#include <cstdio>
#include <memory>

#include "engine/Progress.h"
#include "engine/RunState.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/Path.h"
#include "platform/Terminal.h"
#include "ui/About.h"
#include "ui/Frontend.h"
#include "ui/ProgressTexts.h"
#include "ui/console/ConsoleProgress.h"
#include "ui/console/MatchingFiles.h"
#include "ui/console/Usage.h"

namespace {

using platform::Stream;
using ui::console::ConsoleProgress;
using ui::console::StatusLine;

// Select Graphic Rendition sequences: problem lines red, the warning word yellow.
constexpr const char kRed[] = "\x1b[31m";
constexpr const char kBoldYellow[] = "\x1b[1;33m";
constexpr const char kPlain[] = "\x1b[0m";

std::string Painted(const std::string& text, const char* colour, bool colourWanted) {
  return colourWanted ? colour + text + kPlain : text;
}

// The /S lines go to standard output, oldest first, each as soon as it happens.
void PrintLine(const std::string& text, bool alert) {
  static const bool colour = platform::ColourWanted(Stream::Output);
  const std::string line = alert ? Painted(text, kRed, colour) : text;
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::chrono::steady_clock::time_point Now() { return std::chrono::steady_clock::now(); }

class ConsoleFrontend : public tFrontend {
 public:
  ConsoleFrontend() { SetProgressWindow(&progress_); }

  void ShowBatchProgress() override {
    if (progress_.PrintsLines()) return;
    progress_.PrintLines();
    // Ctrl+C acts as the Stop button: the pass ends after the current file.
    platform::OnInterrupt([this] {
      KeepRunning = false;
      progress_.PrintOwnAlert(ui::kStoppedLine);
    });
  }

  void WaitForProgressClose() override {}

  void ShowUsage() override { std::fputs(ui::console::UsageText().c_str(), stdout); }

  void ShowVersion() override { std::puts(about::TitleText().c_str()); }

  void PatternStarting(const tRunOptions& options, const std::string&) override {
    seenBefore_ = progress_.Tally().Seen();
    progress_.SetCopying(options.CopyFiles);
    // Without the lines, a terminal shows how far the run is; scripts and pipes see nothing.
    if (!progress_.PrintsLines() && !status_ && platform::IsTerminal(Stream::Error)) {
      status_ = std::make_unique<StatusLine>(
          [](const std::string& text) { platform::WriteNow(Stream::Error, text); }, Now,
          platform::TerminalWidth(Stream::Error));
      progress_.KeepStatusOn(status_.get());
      // Ctrl+C ends such a run at once, as it always did; the line goes with it.
      platform::SetInterruptFarewell("\r\x1b[K");
    }
  }

  void PatternDone(const tRunOptions& options, const std::string& pattern) override {
    // A pattern the pass said nothing about may still have matched files of no known kind.
    if (progress_.Tally().Seen() != seenBefore_ ||
        ui::console::MatchesAnyFile(pattern, options.Recurse))
      return;
    const std::string native = platform::NativePath(pattern);
    std::string warning = "no file matches \"" + pattern + "\"";
    if (!native.empty() && platform::DirectoryExists(native))
      warning +=
          " (a folder: \"" + native + (native.back() == '/' ? "" : "/") + "*\" names its files)";
    Warn(warning);
  }

  void BatchDone() override { ClearStatusLine(); }

  // There is no window of this build's own yet: the usage tells how to run it.
  int RunInteractive() override {
    ShowUsage();
    return 0;
  }

  void ReportFailure(const std::string& message) override {
    ClearStatusLine();
    std::fflush(stdout);
    std::fprintf(stderr, "stampel: %s\n", message.c_str());
  }

 private:
  void Warn(const std::string& text) {
    ClearStatusLine();
    std::fflush(stdout);
    const std::string word =
        Painted("warning:", kBoldYellow, platform::ColourWanted(Stream::Error));
    std::fprintf(stderr, "stampel: %s %s\n", word.c_str(), text.c_str());
    std::fflush(stderr);
  }

  void ClearStatusLine() {
    if (status_) status_->Clear();
  }

  ConsoleProgress progress_{PrintLine};
  std::unique_ptr<StatusLine> status_;
  int64_t seenBefore_ = 0;
};

}  // namespace

tFrontend& Frontend() {
  static ConsoleFrontend frontend;
  return frontend;
}
