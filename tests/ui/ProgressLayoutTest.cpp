#include <gtest/gtest.h>

#include "ui/ProgressLayout.h"
#include "ui/ProgressTexts.h"

namespace {

using ui::Rect;

struct PlacementCase {
  const char* what;
  Rect mainWindow;
  int ownWidth;
  Rect screen;
  Rect expected;
};

TEST(ProgressLayout, StandsRightOfTheMainWindowAndInsideTheScreen) {
  const Rect screen{0, 0, 1920, 1080};
  const PlacementCase cases[] = {
      {"room on the right", {100, 200, 771, 470}, 737, screen, {871, 200, 737, 470}},
      {"flush with the right edge", {412, 100, 771, 470}, 737, screen, {1183, 100, 737, 470}},
      {"near the right edge", {1127, 313, 771, 470}, 737, screen, {1183, 313, 737, 470}},
      {"near the bottom edge", {100, 900, 771, 470}, 737, screen, {871, 610, 737, 470}},
      {"near both edges", {1500, 800, 771, 470}, 737, screen, {1183, 610, 737, 470}},
      {"taller than before", {10, 10, 300, 900}, 737, screen, {310, 10, 737, 900}},
      {"lower than the screen is high", {10, 0, 300, 1200}, 737, screen, {310, -120, 737, 1200}},
      {"on a monitor to the right",
       {2200, 100, 771, 470},
       737,
       {1920, 0, 1280, 1024},
       {2463, 100, 737, 470}},
      {"on a monitor above",
       {100, -900, 771, 470},
       737,
       {0, -1024, 1280, 1024},
       {543, -900, 737, 470}},
      {"at 150 percent", {400, 300, 1157, 705}, 1106, {0, 0, 2560, 1440}, {1454, 300, 1106, 705}},
  };
  for (const PlacementCase& c : cases) {
    EXPECT_EQ(c.expected, ui::PlaceBesideMainWindow(c.mainWindow, c.ownWidth, c.screen)) << c.what;
  }
}

TEST(ProgressLayout, PulledBackWindowMeetsTheScreenEdges) {
  const Rect screen{0, 0, 1280, 1024};
  const Rect placed = ui::PlaceBesideMainWindow({1000, 900, 771, 470}, 737, screen);
  EXPECT_EQ(screen.Right(), placed.Right());
  EXPECT_EQ(screen.Bottom(), placed.Bottom());
}

TEST(ProgressLayout, CloseAtTheRightAndStopLeftOfIt) {
  const auto bounds = ui::LayOutProgressControls(729, 361, 96, true);
  // Inside the sunken frame, 6 pixels from each edge.
  EXPECT_EQ((Rect{6, 6, 717, 349}), bounds.frame);
  EXPECT_EQ((Rect{6, 297, 717, 58}), bounds.bottomPanel);
  EXPECT_EQ((Rect{6 + 616, 303, 97, 29}), bounds.closeBtn);
  EXPECT_EQ(bounds.bottomPanel.Right() - 4, bounds.closeBtn.Right());
  EXPECT_EQ((Rect{6 + 511, 303, 97, 29}), bounds.stopBtn);
  EXPECT_EQ(bounds.closeBtn.left - 8, bounds.stopBtn.Right());
}

TEST(ProgressLayout, WithoutCloseStopTakesItsPlace) {
  const auto withClose = ui::LayOutProgressControls(729, 361, 96, true);
  const auto batch = ui::LayOutProgressControls(729, 361, 96, false);
  EXPECT_EQ(withClose.closeBtn, batch.stopBtn);
}

TEST(ProgressLayout, ListFillsTheSpaceBetweenTheStrips) {
  const auto bounds = ui::LayOutProgressControls(729, 361, 96, true);
  EXPECT_EQ((Rect{6, 37, 717, 260}), bounds.progressList);
  EXPECT_EQ(bounds.bottomPanel.top, bounds.progressList.Bottom());
  EXPECT_EQ((Rect{6, 336, 717, 19}), bounds.statusBar);
  EXPECT_EQ(bounds.frame.Bottom(), bounds.statusBar.Bottom());
  EXPECT_EQ((Rect{10, 14, 0, 0}), bounds.fileNoLbl);
  EXPECT_EQ((Rect{102, 10, 53, 21}), bounds.fileNoEdit);
}

TEST(ProgressLayout, ButtonsFollowEverySizeChange) {
  for (int width : {200, 400, 729, 1000, 2500}) {
    const auto bounds = ui::LayOutProgressControls(width, 400, 96, true);
    EXPECT_EQ(width - 6 - 4, bounds.closeBtn.Right()) << width;
    EXPECT_EQ(bounds.closeBtn.left - 8 - 97, bounds.stopBtn.left) << width;
    EXPECT_EQ(400 - 6 - 58 + 6, bounds.stopBtn.top) << width;
    const auto batch = ui::LayOutProgressControls(width, 400, 96, false);
    EXPECT_EQ(width - 6 - 4, batch.stopBtn.Right()) << width;
  }
}

TEST(ProgressLayout, DesignedSizesGrowWithTheDpi) {
  const auto bounds = ui::LayOutProgressControls(1200, 600, 144, true);
  EXPECT_EQ(9, bounds.frame.left);
  EXPECT_EQ((Rect{9 + 1182 - 146 - 6, 600 - 9 - 87 + 9, 146, 44}), bounds.closeBtn);
  EXPECT_EQ(bounds.closeBtn.left - 12 - 146, bounds.stopBtn.left);
  EXPECT_EQ(9 + 47, bounds.progressList.top);
  EXPECT_EQ(29, bounds.statusBar.height);
}

TEST(ProgressLayout, ATinyWindowGetsNoNegativeSizes) {
  const auto bounds = ui::LayOutProgressControls(20, 30, 96, true);
  EXPECT_GE(bounds.frame.width, 0);
  EXPECT_GE(bounds.frame.height, 0);
  EXPECT_GE(bounds.progressList.height, 0);
}

TEST(ProgressTexts, ShowProgressButtonOffersTheOppositeOfTheWindowsState) {
  EXPECT_STREQ("Hide Progress", ui::ShowProgressCaption(true));
  EXPECT_STREQ("Show Progress", ui::ShowProgressCaption(false));
}

}  // namespace
