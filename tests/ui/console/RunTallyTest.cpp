#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "ui/console/RunTally.h"
#include "ui/console/StatusLine.h"

namespace {

using ui::console::RunTally;
using ui::console::StatusLine;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

TEST(RunTally, AFailedTransferIsOneFileSeenAndNoneRenamed) {
  using K = tRunEventKind;
  struct Case {
    const char* name;
    std::vector<K> events;
    int64_t seen;
    int64_t renamed;
  };
  const Case cases[] = {
      {"moves", {K::Transferring, K::Transferring}, 2, 2},
      {"a skipped file", {K::NoMetadata}, 1, 0},
      {"a failed move", {K::Transferring, K::CouldNotRename}, 1, 0},
      {"files that could not be read or stamped", {K::CouldNotRead, K::CouldNotStamp}, 2, 0},
      {"nothing to rename", {K::NothingToRename}, 1, 0},
      {"the user's stop is no file", {K::Transferring, K::Stopped}, 1, 1},
      {"an undo's steps and refusals", {K::MovedBack, K::CopyRemoved, K::NotUndone}, 3, 2},
      {"a group taken back: its files are seen once and none is renamed",
       {K::Transferring, K::Transferring, K::CouldNotRename, K::TakenBack},
       2,
       0},
      {"a file that could not go back stays renamed",
       {K::Transferring, K::Transferring, K::CouldNotRename, K::CouldNotTakeBack},
       2,
       1},
      {"a kept companion is seen", {K::Transferring, K::Kept}, 2, 1},
  };
  for (const Case& c : cases) {
    RunTally tally;
    for (K kind : c.events) tally.Count(kind);
    EXPECT_EQ(c.seen, tally.Seen()) << c.name;
    EXPECT_EQ(c.renamed, tally.Renamed()) << c.name;
  }
}

TEST(RunTally, TextSaysCopiedWhenTheRunCopies) {
  RunTally tally;
  tally.Count(tRunEventKind::Transferring);
  EXPECT_EQ("1 file seen, 1 renamed", TallyText(tally, false));
  tally.Count(tRunEventKind::NothingToRename);
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

}  // namespace
