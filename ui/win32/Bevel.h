#pragma once

#include "platform/win32/WinApi.h"

namespace ui::win32 {

// Paints a lowered bevel of the given width inside the rectangle: shadow on the top and
// left, highlight on the bottom and right.
void DrawLoweredBevel(HDC dc, const RECT& area, int width);

}  // namespace ui::win32
