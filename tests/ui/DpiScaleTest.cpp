#include <gtest/gtest.h>

#include "ui/DpiScale.h"

namespace {

struct ScaleCase {
  int designed;
  int dpi;
  int expected;
};

TEST(DpiScale, ScalesDesignedPixelsToTheMonitorAndRoundsToTheNearest) {
  const ScaleCase cases[] = {
      {737, 96, 737},   {737, 120, 921}, {737, 144, 1106}, {388, 144, 582},
      {737, 192, 1474}, {1, 144, 2},     {1, 120, 1},      {0, 288, 0},
      {-5, 144, -8},    {97, 168, 170},  {4, 120, 5},      {6, 144, 9},
  };
  for (const ScaleCase& c : cases) {
    EXPECT_EQ(c.expected, ui::ScaleToDpi(c.designed, c.dpi))
        << c.designed << " px at " << c.dpi << " DPI";
  }
}

TEST(DpiScale, ScalesEveryEdgeOfARectangle) {
  EXPECT_EQ((ui::Rect{816, 528, 1106, 582}), ui::ScaleToDpi(ui::Rect{544, 352, 737, 388}, 144));
  EXPECT_EQ((ui::Rect{544, 352, 737, 388}), ui::ScaleToDpi(ui::Rect{544, 352, 737, 388}, 96));
}

TEST(DpiScale, FontPointsBecomePixelsOfTheMonitor) {
  EXPECT_EQ(11, ui::FontPixelHeight(8, 96));
  EXPECT_EQ(12, ui::FontPixelHeight(9, 96));
  EXPECT_EQ(14, ui::FontPixelHeight(10.5, 96));
  EXPECT_EQ(13, ui::FontPixelHeight(8, 120));
  EXPECT_EQ(16, ui::FontPixelHeight(8, 144));
  EXPECT_EQ(21, ui::FontPixelHeight(10.5, 144));
  EXPECT_EQ(21, ui::FontPixelHeight(8, 192));
}

TEST(DpiScale, RectangleEdges) {
  const ui::Rect r{10, 20, 30, 40};
  EXPECT_EQ(40, r.Right());
  EXPECT_EQ(60, r.Bottom());
}

}  // namespace
