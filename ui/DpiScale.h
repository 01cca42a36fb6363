#pragma once

// Designed sizes are in pixels at 96 DPI; these turn them into pixels of a monitor.
namespace ui {

constexpr int kDesignDpi = 96;

// A designed length at the given DPI, rounded to the nearest pixel (halves away from zero).
int ScaleToDpi(int designed, int dpi);

// The pixel height of a font of the given point size (72 points to the inch), rounded to
// the nearest pixel: 8 points are 11 pixels at 96 DPI, 10.5 points are 14.
int FontPixelHeight(double points, int dpi);

// A rectangle as windows are placed: left, top, width, height.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

// The designed rectangle at the given DPI.
Rect ScaleToDpi(const Rect& designed, int dpi);

}  // namespace ui
