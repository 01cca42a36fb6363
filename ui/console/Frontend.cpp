// The terminal as the user interface of the POSIX build.

#include <chrono>
#include <cstdio>
#include <memory>

#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/Path.h"
#include "platform/Terminal.h"
#include "ui/About.h"
#include "ui/Frontend.h"
#include "ui/ProgressTexts.h"
#include "ui/RunLines.h"
#include "ui/console/MatchingFiles.h"
#include "ui/console/RunTally.h"
#include "ui/console/StatusLine.h"
#include "ui/console/Usage.h"

namespace {

using platform::Stream;
using ui::console::RunTally;
using ui::console::StatusLine;

// Select Graphic Rendition sequences: problem lines red, the warning word yellow.
constexpr const char kRed[] = "\x1b[31m";
constexpr const char kBoldYellow[] = "\x1b[1;33m";
constexpr const char kPlain[] = "\x1b[0m";

// The exit codes of a batch run that was not ended by a failure (that is 1).
constexpr int kSomeFilesFailed = 2;
constexpr int kInterrupted = 130;  // as a shell reports a program ended by Ctrl+C
constexpr int kFailed = 1;

std::string Painted(const std::string& text, const char* colour, bool colourWanted) {
  return colourWanted ? colour + text + kPlain : text;
}

std::chrono::steady_clock::time_point Now() { return std::chrono::steady_clock::now(); }

// The batch run's events: with /S each one is a line on standard output, oldest first, as
// a terminal log reads; without it a terminal shows a line of counts on standard error.
class ConsoleFrontend : public tFrontend, public tRunEvents {
 public:
  void ShowBatchProgress() override { printLines_ = true; }

  void WaitForProgressClose() override {}

  void ShowUsage() override { std::fputs(ui::console::UsageText().c_str(), stdout); }

  void ShowVersion() override { std::puts(about::TitleText().c_str()); }

  tRunEvents& BatchEvents(const tRunOptions& options) override {
    options_ = options;
    // A reader of the lines that goes away ends the run as Ctrl+C does, not the program.
    platform::SurviveClosedOutput();
    // Ctrl+C ends the whole run after the current file; a second one ends it at once.
    platform::OnInterrupt([this] {
      interrupted_ = true;
      cancel_.EndRun();
      if (printLines_ && !outputClosed_)
        Print(ui::kStoppedLine, true);
      else
        Say("stopped by Ctrl+C: the run ends after the current file");
    });
    return *this;
  }

  tCancelToken& BatchCancel() override { return cancel_; }

  int BatchDone(const tRunResult& result) override {
    ClearStatusLine();
    if (!result.Failure.empty()) {
      ReportFailure(result.Failure);
      return kFailed;
    }
    if (outputClosed_) return kFailed;
    if (interrupted_) return kInterrupted;
    return result.Problems() > 0 ? kSomeFilesFailed : 0;
  }

  // There is no window of this build's own yet: the usage tells how to run it.
  int RunInteractive(const tReaderOptions&, const std::string&) override {
    ShowUsage();
    return 0;
  }

  void ReportFailure(const std::string& message) override {
    ClearStatusLine();
    std::fflush(stdout);
    std::fprintf(stderr, "stampel: %s\n", message.c_str());
  }

  // --- the run's events ---

  void Report(const tRunEvent& event) override {
    platform::ProcessMessages();  // a Ctrl+C is heard at the latest here
    tally_.Count(event.Kind);
    if (printLines_ && !outputClosed_)
      Print(ui::RunLineText(event), ui::IsAlertLine(event.Kind));
    else if (status_ && !cancel_.RunEnded())  // after Ctrl+C the terminal stays tidy
      status_->Show(TallyText(tally_, options_.CopyFiles));
  }

  void Breathe() override { platform::ProcessMessages(); }

  void PatternStarting(const std::string&) override {
    seenBefore_ = tally_.Seen();
    // Without the lines, a terminal shows how far the run is; scripts and pipes see nothing.
    if (!printLines_ && !status_ && platform::IsTerminal(Stream::Error)) {
      status_ = std::make_unique<StatusLine>(
          [](const std::string& text) { platform::WriteNow(Stream::Error, text); }, Now,
          platform::TerminalWidth(Stream::Error));
    }
  }

  void PatternDone(const std::string& pattern) override {
    // A pattern the pass said nothing about may still have matched files of no known kind.
    if (tally_.Seen() != seenBefore_ || cancel_.Stopped() ||
        ui::console::MatchesAnyFile(platform::RealFileSystem(), pattern, options_.Recurse))
      return;
    const std::string native = platform::NativePath(pattern);
    std::string warning = "no file matches \"" + pattern + "\"";
    if (!native.empty() && platform::RealFileSystem().DirectoryExists(native))
      warning +=
          " (a folder: \"" + native + (native.back() == '/' ? "" : "/") + "*\" names its files)";
    Warn(warning);
  }

 private:
  // One line on standard output, at once. A closed output stops the printing and the run.
  void Print(const std::string& text, bool alert) {
    static const bool colour = platform::ColourWanted(Stream::Output);
    const std::string line = (alert ? Painted(text, kRed, colour) : text) + "\n";
    if (std::fwrite(line.data(), 1, line.size(), stdout) == line.size() && std::fflush(stdout) == 0)
      return;
    outputClosed_ = true;
    cancel_.EndRun();
    Say("standard output was closed: the run ends after the current file");
  }

  // A message of the program's own on standard error.
  void Say(const std::string& text) {
    ClearStatusLine();
    std::fprintf(stderr, "stampel: %s\n", text.c_str());
    std::fflush(stderr);
  }

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

  tRunOptions options_;
  tCancelToken cancel_;
  RunTally tally_;
  std::unique_ptr<StatusLine> status_;
  bool printLines_ = false;
  bool interrupted_ = false;
  bool outputClosed_ = false;
  int64_t seenBefore_ = 0;
};

}  // namespace

tFrontend& Frontend() {
  static ConsoleFrontend frontend;
  return frontend;
}
