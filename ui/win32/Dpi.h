#pragma once

#include "platform/win32/WinApi.h"
#include "ui/DpiScale.h"

// The DPI of windows and monitors. The program is per-monitor DPI aware (its manifest
// says so); the functions that need Windows 8.1 or 10 are looked up at run time, so it
// still starts on Windows 7, where every monitor has the system's DPI.
namespace ui::win32 {

// The DPI the window is shown at.
int DpiOfWindow(HWND window);
// The DPI of the monitor that holds most of the rectangle.
int DpiOfRect(const RECT& area);
// The rectangle of the monitor that holds most of the rectangle (the whole monitor, not
// only its work area).
RECT MonitorRectOf(const RECT& area);

// The outer size of a window with the given client size, style and DPI.
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

// Conversions between the two rectangle forms.
inline ui::Rect ToRect(const RECT& r) {
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
inline RECT ToRECT(const ui::Rect& r) { return {r.left, r.top, r.Right(), r.Bottom()}; }

// Moves and sizes a child control.
void MoveControl(HWND control, const ui::Rect& bounds);

}  // namespace ui::win32
