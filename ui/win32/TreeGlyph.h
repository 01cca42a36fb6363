#pragma once

// clang-format off
#include "platform/win32/WinApi.h"
#include <commctrl.h>
// clang-format on

namespace ui::win32 {

// The Search button's picture: a small tree, one node joined by lines to three nodes
// below it, as an image list of one square image of the given side (16 at 96 DPI). The
// caller destroys it.
HIMAGELIST CreateTreeGlyph(int side);

}  // namespace ui::win32
