#include "ui/ProgressLayout.h"

#include <algorithm>

namespace ui {

namespace {

// Designed sizes at 96 DPI.
constexpr int kTopPanelHeight = 31;
constexpr int kBottomPanelHeight = 58;
constexpr int kStatusBarHeight = 19;
constexpr int kButtonTop = 6;
constexpr int kButtonWidth = 97;
constexpr int kButtonHeight = 29;
constexpr int kEdgeGap = 4;    // between the right button and the panel's edge
constexpr int kButtonGap = 8;  // between Stop and Close
constexpr Rect kFileNoLbl{4, 8, 0, 0};
constexpr Rect kFileNoEdit{96, 4, 53, 21};

}  // namespace

Rect PlaceBesideMainWindow(const Rect& mainWindow, int ownWidth, const Rect& screen) {
  Rect placed{mainWindow.Right(), mainWindow.top, ownWidth, mainWindow.height};
  if (placed.Right() > screen.Right()) placed.left = screen.Right() - ownWidth;
  // Checked with the height the window ends up with, so its bottom edge meets the
  // screen's when the main window stands too low.
  if (placed.Bottom() > screen.Bottom()) placed.top = screen.Bottom() - placed.height;
  return placed;
}

ProgressControlBounds LayOutProgressControls(int clientWidth, int clientHeight, int dpi,
                                             bool closeVisible) {
  const auto scaled = [dpi](int designed) { return ScaleToDpi(designed, dpi); };
  ProgressControlBounds bounds;

  const int inset = scaled(kProgressFrameInset);
  bounds.frame = {inset, inset, std::max(0, clientWidth - 2 * inset),
                  std::max(0, clientHeight - 2 * inset)};
  const Rect& frame = bounds.frame;

  bounds.fileNoLbl = {frame.left + scaled(kFileNoLbl.left), frame.top + scaled(kFileNoLbl.top), 0,
                      0};
  bounds.fileNoEdit = ScaleToDpi(kFileNoEdit, dpi);
  bounds.fileNoEdit.left += frame.left;
  bounds.fileNoEdit.top += frame.top;

  const int topHeight = scaled(kTopPanelHeight);
  const int bottomHeight = scaled(kBottomPanelHeight);
  bounds.bottomPanel = {frame.left, frame.Bottom() - bottomHeight, frame.width, bottomHeight};
  bounds.progressList = {frame.left, frame.top + topHeight, frame.width,
                         std::max(0, frame.height - topHeight - bottomHeight)};

  const Rect& panel = bounds.bottomPanel;
  const int buttonWidth = scaled(kButtonWidth);
  const int buttonTop = panel.top + scaled(kButtonTop);
  const int buttonHeight = scaled(kButtonHeight);
  if (closeVisible) {
    const int closeLeft = panel.width - buttonWidth - scaled(kEdgeGap);
    const int stopLeft = closeLeft - buttonWidth - scaled(kButtonGap);
    bounds.closeBtn = {panel.left + closeLeft, buttonTop, buttonWidth, buttonHeight};
    bounds.stopBtn = {panel.left + stopLeft, buttonTop, buttonWidth, buttonHeight};
  } else {
    const int stopLeft = panel.width - buttonWidth - scaled(kEdgeGap);
    bounds.stopBtn = {panel.left + stopLeft, buttonTop, buttonWidth, buttonHeight};
  }

  const int statusHeight = scaled(kStatusBarHeight);
  bounds.statusBar = {panel.left, panel.Bottom() - statusHeight, panel.width, statusHeight};
  return bounds;
}

}  // namespace ui
