#include "ui/win32/Bevel.h"

namespace ui::win32 {

void DrawLoweredBevel(HDC dc, const RECT& area, int width) {
  HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
  HBRUSH highlight = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  RECT r = area;
  for (int i = 0; i < width && r.right - r.left > 1 && r.bottom - r.top > 1; ++i) {
    const RECT top{r.left, r.top, r.right - 1, r.top + 1};
    const RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
    const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
    const RECT right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, shadow);
    FillRect(dc, &left, shadow);
    FillRect(dc, &bottom, highlight);
    FillRect(dc, &right, highlight);
    InflateRect(&r, -1, -1);
  }
}

}  // namespace ui::win32
