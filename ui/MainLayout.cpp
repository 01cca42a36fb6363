#include "ui/MainLayout.h"

#include <algorithm>

namespace ui::main_layout {

Rect SwitchCheckBox(int index) { return InPanel(kSwitchesGrpBox, {6, 18 + 18 * index, 271, 17}); }

Rect KeepOnScreen(const Rect& window, const Rect& workArea) {
  Rect placed = window;
  if (placed.Right() > workArea.Right()) placed.left = workArea.Right() - placed.width;
  if (placed.Bottom() > workArea.Bottom()) placed.top = workArea.Bottom() - placed.height;
  placed.left = std::max(placed.left, workArea.left);
  placed.top = std::max(placed.top, workArea.top);
  return placed;
}

std::vector<Rect> RadioGroupItems(int groupWidth, int groupHeight, int itemCount, int columns,
                                  int textHeight) {
  std::vector<Rect> items;
  if (itemCount <= 0 || columns <= 0) return items;
  const int perColumn = (itemCount + columns - 1) / columns;
  const int itemWidth = std::max(0, (groupWidth - 10) / columns);
  // The rows share the height below the caption; what does not divide evenly is split
  // above and below them.
  const int rowsHeight = std::max(0, groupHeight - textHeight - 5);
  const int itemHeight = rowsHeight / perColumn;
  const int topMargin = textHeight + 1 + (rowsHeight % perColumn) / 2;
  for (int i = 0; i < itemCount; ++i) {
    items.push_back({(i / perColumn) * itemWidth + 8, (i % perColumn) * itemHeight + topMargin,
                     itemWidth, itemHeight});
  }
  return items;
}

}  // namespace ui::main_layout
