#pragma once

#include "ui/DpiScale.h"

// The translations dialog's designed layout, in pixels at 96 DPI, in its client area.
namespace ui::setup_layout {

inline constexpr int kClientWidth = 530;
inline constexpr int kClientHeight = 324;

// The main panel above the bottom strip, with a lowered outer and inner bevel of one
// pixel each; the panels inside it start within the bevels.
inline constexpr int kBottomPanelHeight = 40;
inline constexpr Rect kMainPanel{0, 0, 530, 324 - kBottomPanelHeight};
inline constexpr int kBevelInset = 2;
inline constexpr Rect kTopPanel{kBevelInset, kBevelInset, 530 - 2 * kBevelInset, 45};
inline constexpr Rect kTranslationPanel{kBevelInset, kBevelInset + 45, 530 - 2 * kBevelInset,
                                        kMainPanel.height - 2 * kBevelInset - 45};

constexpr Rect In(const Rect& parent, const Rect& r) {
  return {parent.left + r.left, parent.top + r.top, r.width, r.height};
}

inline constexpr Rect kInfoLbl = In(kTopPanel, {6, 10, 505, 28});
inline constexpr Rect kModelTransGrpBox = In(kTranslationPanel, {6, 6, 313, 211});
// Inside the group, under its caption: the strip with the label, then the grid.
inline constexpr Rect kLabel1 = In(kModelTransGrpBox, {6, 18, 0, 0});
inline constexpr Rect kModelLst = In(kModelTransGrpBox, {2, 36, 309, 171});
inline constexpr int kKeyColumnWidth = 171;
inline constexpr int kValueColumnWidth = 132;
inline constexpr Rect kOrientTransGrpBox = In(kTranslationPanel, {330, 6, 181, 103});
inline constexpr Rect kOrientInfoLbl = In(kOrientTransGrpBox, {6, 22, 0, 0});
inline constexpr Rect kLandscapeLbl = In(kOrientTransGrpBox, {6, 48, 0, 0});
inline constexpr Rect kLandscapeEdit = In(kOrientTransGrpBox, {108, 46, 43, 21});
inline constexpr Rect kPortraitLbl = In(kOrientTransGrpBox, {6, 72, 0, 0});
inline constexpr Rect kPortraitEdit = In(kOrientTransGrpBox, {108, 70, 43, 21});

// The buttons at the right end of the bottom strip: Cancel 4 pixels from the edge, OK 4
// pixels left of Cancel.
inline constexpr int kButtonWidth = 97;
inline constexpr int kButtonHeight = 29;
inline constexpr int kButtonTop = kMainPanel.height + 6;
constexpr int OkLeft(int panelWidth) { return panelWidth - kButtonWidth - kButtonWidth - 8; }
constexpr int CancelLeft(int panelWidth) { return panelWidth - kButtonWidth - 4; }

inline constexpr int kMaxWordLength = 32;

}  // namespace ui::setup_layout
