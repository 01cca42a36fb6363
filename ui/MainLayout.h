#pragma once

#include <vector>

#include "ui/DpiScale.h"

// The main window's designed layout, in pixels at 96 DPI, in the window's client area.
// The window has two panels: the top one holds the choices, the bottom one the displays
// and the buttons; a control's place inside its panel or group is shifted by the panel's
// or group's own place.
namespace ui::main_layout {

inline constexpr int kClientWidth = 755;
inline constexpr int kClientHeight = 416;
// The window's designed outer position.
inline constexpr int kDesignedLeft = 1127;
inline constexpr int kDesignedTop = 313;

inline constexpr Rect kTopPanel{0, 0, 755, 272};
inline constexpr Rect kBottomPanel{0, 272, 755, 144};
// Each panel has a lowered outer and a lowered inner bevel, one pixel each.
inline constexpr int kPanelBevelWidth = 1;

constexpr Rect InPanel(const Rect& panel, const Rect& r) {
  return {panel.left + r.left, panel.top + r.top, r.width, r.height};
}

// Top panel. Labels take the size of their text: only their corner is designed.
inline constexpr Rect kStampelLbl = InPanel(kTopPanel, {8, 12, 0, 0});
inline constexpr Rect kLabel2 = InPanel(kTopPanel, {58, 12, 0, 0});
inline constexpr Rect kLabel3 = InPanel(kTopPanel, {740, 12, 0, 0});
inline constexpr Rect kFormatEdit = InPanel(kTopPanel, {80, 8, 659, 21});
inline constexpr Rect kSearchBtn = InPanel(kTopPanel, {8, 36, 67, 23});
inline constexpr Rect kFilePathEdit = InPanel(kTopPanel, {80, 36, 659, 21});
inline constexpr Rect kFormatGrpBox = InPanel(kTopPanel, {80, 66, 329, 127});
inline constexpr Rect kDateGrpBox = InPanel(kTopPanel, {80, 198, 329, 37});
inline constexpr Rect kSwitchesGrpBox = InPanel(kTopPanel, {420, 66, 319, 169});

// The seven check boxes of the Switches group, top to bottom: left 6, 271 x 17, tops from
// 18 in steps of 18; the companions check box (no switch of its own) comes last, as the
// eighth.
Rect SwitchCheckBox(int index);
inline constexpr int kSwitchCount = 7;
inline constexpr int kCompanionCheckIndex = kSwitchCount;

// Under the groups, one row: where files without a date find one, and the clock shift.
inline constexpr Rect kElsewhereChk = InPanel(kTopPanel, {80, 245, 205, 17});
inline constexpr Rect kFileTimeChk = InPanel(kTopPanel, {290, 245, 190, 17});
inline constexpr Rect kShiftLbl = InPanel(kTopPanel, {500, 247, 0, 0});
inline constexpr Rect kShiftEdit = InPanel(kTopPanel, {600, 243, 139, 21});
inline constexpr int kShiftMaxLength = 24;

// Bottom panel.
inline constexpr Rect kLabel8 = InPanel(kBottomPanel, {8, 14, 0, 0});
inline constexpr Rect kBatchExplEdit = InPanel(kBottomPanel, {80, 14, 661, 29});
inline constexpr Rect kExplLbl = InPanel(kBottomPanel, {80, 46, 661, 29});
inline constexpr Rect kFilesDoneLbl = InPanel(kBottomPanel, {80, 86, 301, 17});
inline constexpr Rect kShowProgressBtn = InPanel(kBottomPanel, {450, 82, 85, 29});
inline constexpr Rect kRunBtn = InPanel(kBottomPanel, {554, 82, 85, 29});
inline constexpr Rect kQuitBtn = InPanel(kBottomPanel, {650, 82, 85, 29});
// The credit label is right-aligned: its right edge and its top are designed.
inline constexpr int kCreditRight = 735;
inline constexpr int kCreditTop = kBottomPanel.top + 118;

// The drop-down boxes show six rows of their lists.
inline constexpr int kDropDownRows = 6;
inline constexpr int kFormatMaxLength = 100;
inline constexpr int kPathMaxLength = 255;

// The window's rectangle moved, where it sticks out, so that it lies in the screen's
// work area (its top-left corner stays inside when the window is larger than the area).
Rect KeepOnScreen(const Rect& window, const Rect& workArea);

// The buttons of a radio group, as a group box of the given size lays them out: columns
// of equal width filled top to bottom one after the other, rows of equal height under the
// caption line (textHeight is the font's line height). Places are inside the group.
std::vector<Rect> RadioGroupItems(int groupWidth, int groupHeight, int itemCount, int columns,
                                  int textHeight);

}  // namespace ui::main_layout
