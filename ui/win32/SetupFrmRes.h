#pragma once

// Control identifiers of the translations dialog.
namespace ui::win32::setup_id {

constexpr int InfoLbl = 601;
constexpr int ModelTransGrpBox = 602;
constexpr int Label1 = 603;
constexpr int ModelLst = 604;
constexpr int ModelCellEdit = 605;  // the grid's cell editor
constexpr int OrientTransGrpBox = 606;
constexpr int OrientInfoLbl = 607;
constexpr int LandscapeLbl = 608;
constexpr int LandscapeEdit = 609;
constexpr int PortraitLbl = 610;
constexpr int PortraitEdit = 611;
constexpr int OkBtn = 612;
constexpr int CancelBtn = 613;

}  // namespace ui::win32::setup_id
