#include "ui/DpiScale.h"

#include <cmath>
#include <cstdint>

namespace ui {

int ScaleToDpi(int designed, int dpi) {
  const int64_t product = static_cast<int64_t>(designed) * dpi;
  const int64_t half = kDesignDpi / 2;
  const int64_t rounded =
      product >= 0 ? (product + half) / kDesignDpi : (product - half) / kDesignDpi;
  return static_cast<int>(rounded);
}

int FontPixelHeight(double points, int dpi) {
  return static_cast<int>(std::lround(points * dpi / 72.0));
}

Rect ScaleToDpi(const Rect& designed, int dpi) {
  return {ScaleToDpi(designed.left, dpi), ScaleToDpi(designed.top, dpi),
          ScaleToDpi(designed.width, dpi), ScaleToDpi(designed.height, dpi)};
}

}  // namespace ui
