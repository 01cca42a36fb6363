#pragma once

#include "ui/DpiScale.h"

// The about and usage window's designed layout (pixels at 96 DPI).
namespace ui {

inline constexpr int kAboutClientWidth = 413;
inline constexpr int kAboutClientHeight = 301;
inline constexpr Rect kAboutTopPanel{0, 0, 413, 253};
inline constexpr int kAboutBevelWidth = 2;
inline constexpr Rect kAboutOkBtn{164, 264, 85, 29};

// The left edge of a label that continues the line of another one: its designed place,
// or right after the other one where that one's text reaches further (another font).
int ContinuationLeft(int designedLeft, int previousRight);

// A window of the given size centred in the area.
Rect CentreIn(const Rect& area, int width, int height);

}  // namespace ui
