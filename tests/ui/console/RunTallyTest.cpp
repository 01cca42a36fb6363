#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "ui/console/ConsoleProgress.h"
#include "ui/console/RunTally.h"
#include "ui/console/StatusLine.h"

namespace {

using ui::console::ConsoleProgress;
using ui::console::RunTally;
using ui::console::StatusLine;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

TEST(RunTally, AFailedTransferIsOneFileSeenAndNoneRenamed) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, bool>> lines;  // text, alert
    int64_t seen;
    int64_t renamed;
  };
  const Case cases[] = {
      {"moves",
       {{"Stampel 1: a.jpg -> x_a.jpg", false}, {"Stampel 2: b.jpg -> x_b.jpg", false}},
       2,
       2},
      {"a skipped file", {{"Stampel 1: a.png -> no Exif information available", true}}, 1, 0},
      {"a failed move",
       {{"Stampel 1: a.jpg -> x_a.jpg", false},
        {"Stampel 1: a.jpg -> couldn't rename this file", true}},
       1,
       0},
      // Another folder numbers from 1 again: the path tells the files apart.
      {"the failure of another file",
       {{"Stampel 1: a.jpg -> x_a.jpg", false},
        {"Stampel 1: sub/a.jpg -> couldn't rename this file", true}},
       2,
       1},
      {"a failure taken back once only",
       {{"Stampel 1: a.jpg -> x.jpg", false},
        {"Stampel 1: a.jpg -> couldn't rename this file", true},
        {"Stampel 1: a.jpg -> couldn't rename this file", true}},
       2,
       0},
      {"nothing to rename", {{"Stampel 1: a.jpg -> nothing to rename", true}}, 1, 0},
  };
  for (const Case& c : cases) {
    RunTally tally;
    for (const auto& [text, alert] : c.lines) alert ? tally.AlertLine(text) : tally.Line(text, 1);
    EXPECT_EQ(c.seen, tally.Seen()) << c.name;
    EXPECT_EQ(c.renamed, tally.Renamed()) << c.name;
  }
}

TEST(RunTally, TextSaysCopiedWhenTheRunCopies) {
  RunTally tally;
  tally.Line("Stampel 1: a.jpg -> b.jpg", 1);
  EXPECT_EQ("1 file seen, 1 renamed", TallyText(tally, false));
  tally.AlertLine("Stampel 2: c.jpg -> nothing to rename");
  EXPECT_EQ("2 files seen, 1 copied", TallyText(tally, true));
}

// A status line on a fake clock, writing into a string.
struct FakeTerminal {
  Clock::time_point now{};
  std::string written;
  StatusLine Line(int width) {
    return StatusLine([this](const std::string& text) { written += text; }, [this] { return now; },
                      width);
  }
};

TEST(StatusLine, DrawsAtMostTenTimesASecondAndErasesOnce) {
  FakeTerminal terminal;
  StatusLine line = terminal.Line(80);
  line.Show("1");
  EXPECT_EQ("\r1\x1b[K", terminal.written);
  terminal.now += 99ms;
  line.Show("2");  // too soon
  terminal.now += 1ms;
  line.Show("3");
  EXPECT_EQ("\r1\x1b[K\r3\x1b[K", terminal.written);
  terminal.written.clear();
  line.Clear();
  line.Clear();
  EXPECT_EQ("\r\x1b[K", terminal.written);
  EXPECT_FALSE(line.Drawn());
}

TEST(StatusLine, NeverWrapsAndClearsNothingThatWasNotDrawn) {
  FakeTerminal terminal;
  StatusLine line = terminal.Line(10);
  line.Clear();
  EXPECT_EQ("", terminal.written);
  line.Show("1234567890abc");
  EXPECT_EQ("\r123456789\x1b[K", terminal.written);
}

TEST(ConsoleProgress, PrintsTheLinesWithSAndOtherwiseKeepsTheStatusLine) {
  FakeTerminal terminal;
  StatusLine status = terminal.Line(80);
  std::vector<std::string> printed;
  ConsoleProgress progress(
      [&](const std::string& text, bool alert) { printed.push_back((alert ? "!" : "") + text); });
  progress.KeepStatusOn(&status);
  progress.AddLine("Stampel 1: a.jpg -> b.jpg", 1);
  EXPECT_TRUE(printed.empty());
  EXPECT_EQ("\r1 file seen, 1 renamed\x1b[K", terminal.written);

  progress.PrintLines();
  progress.AddAlertLine("Stampel 2: c.jpg -> nothing to rename", 0);
  progress.PrintOwnAlert("Stopped...");
  EXPECT_EQ((std::vector<std::string>{"!Stampel 2: c.jpg -> nothing to rename", "!Stopped..."}),
            printed);
  EXPECT_EQ(2, progress.Tally().Seen());  // the program's own line is no file
  EXPECT_EQ("\r1 file seen, 1 renamed\x1b[K", terminal.written);
}

}  // namespace
