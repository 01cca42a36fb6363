#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "GuiTest.h"
#include "ui/win32/ProgressFrm.h"
#include "ui/win32/ProgressFrmRes.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBlock = 1000;

// Adds one block of lines and returns the time per line in microseconds.
double AddBlock(ui::win32::TProgressFrm& form, int first) {
  const auto start = Clock::now();
  for (int i = first; i < first + kBlock; ++i) {
    const std::string number = std::to_string(i);
    form.AddLine("C:\\Photos\\2008\\IMG_" + number + ".JPG --> C:\\Photos\\2008\\" +
                     "2008-06-15-10-00-00_IMG_" + number + ".JPG",
                 1);
  }
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kBlock;
}

// The quickest of the blocks: what a line costs when nothing else wants the machine.
double Quickest(const std::vector<double>& blocks, size_t first, size_t count) {
  return *std::min_element(blocks.begin() + first, blocks.begin() + first + count);
}

// A shown window takes 100,000 lines, and the last ones cost no more than the first:
// the list asks only for the rows it shows, and the screen follows at a fixed rate.
TEST(LongRun, LineCostDoesNotGrowOverAHundredThousandLines) {
  ui::win32::TProgressFrm form(nullptr);
  form.Show();
  constexpr int kLines = 100000;
  std::vector<double> blocks;
  for (int first = 0; first < kLines; first += kBlock) blocks.push_back(AddBlock(form, first));
  guitest::WaitForRefresh();

  // Single blocks are noisy on a busy machine (and the screen repaints a few times per
  // block); the quickest of the first ten and of the last ten blocks are compared.
  const double start = Quickest(blocks, 0, 10);
  const double end = Quickest(blocks, blocks.size() - 10, 10);
  std::printf(
      "[ FIGURES  ] us per line: lines 1-1000 %.1f, lines 99001-100000 %.1f; "
      "quickest of the first ten thousand-line blocks %.1f, of the last ten %.1f\n",
      blocks.front(), blocks.back(), start, end);

  EXPECT_EQ(static_cast<uint32_t>(kLines), form.ProcessedCount());
  EXPECT_EQ(std::to_string(kLines),
            guitest::ControlText(form.Handle(), ui::win32::progress_id::FileNoEdit));
  HWND list = guitest::Control(form.Handle(), ui::win32::progress_id::ProgressMemo);
  const std::vector<std::string> top = guitest::ListRows(list, 2);
  ASSERT_EQ(2u, top.size());
  EXPECT_NE(std::string::npos, top[0].find("IMG_99999.JPG"));
  EXPECT_NE(std::string::npos, top[1].find("IMG_99998.JPG"));
  EXPECT_EQ(kLines, guitest::ListRowCount(list));
  // What a line costs on the screen does not depend on how many came before: a repaint
  // of the whole list paints the rows it shows, not the 100,000 it holds. (The times
  // above depend on the machine and how busy it is, and are only printed.)
  const size_t before = form.RowsPainted();
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const size_t painted = form.RowsPainted() - before;
  const int visible = guitest::ListVisibleRowCount(list);
  EXPECT_GT(painted, 0u);
  EXPECT_LE(painted, static_cast<size_t>(visible) + 2);
}

}  // namespace
