#pragma once

#include <string>

#include "ui/DpiScale.h"

// Where the progress window stands and where its controls go. Sizes are in pixels at the
// window's DPI; the designed values (at 96 DPI) are scaled here.
namespace ui {

// The window's designed outer size and place, kept when there is no main window.
inline constexpr Rect kProgressDesignBounds{544, 352, 737, 388};

// The window beside the main window: to its right and as high as it, pulled back so that
// it ends at the screen's right and bottom edges when it would stick out past them.
// mainWindow and the result are outer rectangles; screen is the monitor's rectangle.
Rect PlaceBesideMainWindow(const Rect& mainWindow, int ownWidth, const Rect& screen);

// The controls inside a client area of the given size.
struct ProgressControlBounds {
  Rect frame;      // the area inside the window's sunken double bevel
  Rect fileNoLbl;  // position only; the label takes the size of its text
  Rect fileNoEdit;
  Rect progressList;
  Rect bottomPanel;
  Rect stopBtn;
  Rect closeBtn;  // meaningful only while the Close button is shown
  Rect statusBar;
};

// With the Close button at the right and Stop left of it; without it (batch mode) Stop
// takes its place at the right.
ProgressControlBounds LayOutProgressControls(int clientWidth, int clientHeight, int dpi,
                                             bool closeVisible);

// The width of the bevelled frame's edge on each side at 96 DPI: a 2-pixel lowered outer
// bevel, a 2-pixel border and a 2-pixel lowered inner bevel.
inline constexpr int kProgressBevelWidth = 2;
inline constexpr int kProgressFrameInset = 3 * kProgressBevelWidth;

}  // namespace ui
