#include <gtest/gtest.h>

#include "ui/MainLayout.h"

namespace {

using ui::Rect;
namespace layout = ui::main_layout;

TEST(MainLayout, PanelsFillTheClientArea) {
  EXPECT_EQ(layout::kClientHeight, layout::kTopPanel.height + layout::kBottomPanel.height);
  EXPECT_EQ(layout::kTopPanel.Bottom(), layout::kBottomPanel.top);
  EXPECT_EQ((Rect{80, 272 + 14, 661, 29}), layout::kBatchExplEdit);
  EXPECT_EQ((Rect{426, 66 + 18, 271, 17}), layout::SwitchCheckBox(0));
  EXPECT_EQ((Rect{426, 66 + 126, 271, 17}), layout::SwitchCheckBox(6));
}

TEST(MainLayout, RadioGroupFillsColumnByColumn) {
  // The samples: 11 buttons in two columns of 6 and 5, under a caption line 13 high.
  const auto items = layout::RadioGroupItems(329, 127, 11, 2, 13);
  ASSERT_EQ(11u, items.size());
  EXPECT_EQ((Rect{8, 14, 159, 18}), items[0]);
  EXPECT_EQ((Rect{8, 14 + 5 * 18, 159, 18}), items[5]);
  EXPECT_EQ((Rect{167, 14, 159, 18}), items[6]);
  EXPECT_EQ((Rect{167, 14 + 4 * 18, 159, 18}), items[10]);
  // Every button lies inside the group.
  for (const Rect& r : items) {
    EXPECT_GE(r.left, 0);
    EXPECT_LE(r.Right(), 329);
    EXPECT_LE(r.Bottom(), 127);
  }
  // The date selection: two buttons side by side.
  const auto date = layout::RadioGroupItems(329, 37, 2, 2, 13);
  EXPECT_EQ((Rect{8, 14, 159, 19}), date[0]);
  EXPECT_EQ((Rect{167, 14, 159, 19}), date[1]);
  EXPECT_TRUE(layout::RadioGroupItems(100, 10, 3, 2, 40).size() == 3);  // too small: no harm
  EXPECT_TRUE(layout::RadioGroupItems(100, 100, 0, 2, 13).empty());
}

TEST(MainLayout, KeepOnScreenPullsTheWindowBack) {
  const Rect screen{0, 0, 1280, 1024};
  EXPECT_EQ((Rect{519, 313, 761, 470}), layout::KeepOnScreen({1127, 313, 761, 470}, screen));
  EXPECT_EQ((Rect{100, 554, 761, 470}), layout::KeepOnScreen({100, 900, 761, 470}, screen));
  EXPECT_EQ((Rect{0, 0, 2000, 470}), layout::KeepOnScreen({-50, -9, 2000, 470}, screen));
  EXPECT_EQ((Rect{10, 10, 761, 470}), layout::KeepOnScreen({10, 10, 761, 470}, screen));
}

}  // namespace
