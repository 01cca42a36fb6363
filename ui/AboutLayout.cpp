#include "ui/AboutLayout.h"

#include <algorithm>

namespace ui {

int ContinuationLeft(int designedLeft, int previousRight) {
  return std::max(designedLeft, previousRight);
}

Rect CentreIn(const Rect& area, int width, int height) {
  return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2, width,
          height};
}

}  // namespace ui
