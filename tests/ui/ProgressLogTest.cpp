#include <gtest/gtest.h>

#include <string>

#include "ui/ProgressLog.h"

namespace {

TEST(ProgressLog, StartsEmptyWithCountZero) {
  const ui::ProgressLog log;
  EXPECT_EQ(0u, log.LineCount());
  EXPECT_EQ(0u, log.ProcessedCount());
  EXPECT_EQ("0", log.ProcessedText());
  EXPECT_EQ("", log.Status());
}

TEST(ProgressLog, NewestLineIsAlwaysTheFirstRow) {
  ui::ProgressLog log;
  log.Add("first", 1);
  EXPECT_EQ("first", log.Line(0));
  log.Add("second", 1);
  log.Add("third", 0);
  ASSERT_EQ(3u, log.LineCount());
  EXPECT_EQ("third", log.Line(0));
  EXPECT_EQ("second", log.Line(1));
  EXPECT_EQ("first", log.Line(2));
}

TEST(ProgressLog, CountAddsTheIncrementsAndSkippedFilesLeaveItAlone) {
  ui::ProgressLog log;
  log.Add("a.jpg --> b.jpg", 1);
  log.Add("c.jpg: no date", 0);
  log.Add("d.jpg --> e.jpg", 1);
  log.Add("Stopped...", 0);
  EXPECT_EQ(2u, log.ProcessedCount());
  EXPECT_EQ("2", log.ProcessedText());
}

TEST(ProgressLog, StatusIsTheLatestLineUntilCleared) {
  ui::ProgressLog log;
  log.Add("one", 1);
  log.Add("two", 0);
  EXPECT_EQ("two", log.Status());
  log.ClearStatus();
  EXPECT_EQ("", log.Status());
  // Clearing the status keeps lines and count.
  EXPECT_EQ(2u, log.LineCount());
  EXPECT_EQ(1u, log.ProcessedCount());
  log.Add("three", 1);
  EXPECT_EQ("three", log.Status());
}

TEST(ProgressLog, CountIsUnsignedAndWrapsLikeA32BitNumber) {
  ui::ProgressLog log;
  log.Add("x", -1);
  EXPECT_EQ(4294967295u, log.ProcessedCount());
  EXPECT_EQ("4294967295", log.ProcessedText());
  log.Add("y", 2);
  EXPECT_EQ(1u, log.ProcessedCount());
}

TEST(ProgressLog, KeepsLongLinesWhole) {
  ui::ProgressLog log;
  const std::string longLine = std::string(70000, 'x') + "\xE6\x97\xA5.jpg";
  log.Add(longLine, 1);
  EXPECT_EQ(longLine, log.Line(0));
}

TEST(ProgressLog, HundredThousandLinesKeepTheirOrder) {
  ui::ProgressLog log;
  for (int i = 0; i < 100000; ++i) log.Add(std::to_string(i), 1);
  EXPECT_EQ(100000u, log.LineCount());
  EXPECT_EQ(100000u, log.ProcessedCount());
  EXPECT_EQ("99999", log.Line(0));
  EXPECT_EQ("50000", log.Line(49999));
  EXPECT_EQ("0", log.Line(99999));
}

}  // namespace
