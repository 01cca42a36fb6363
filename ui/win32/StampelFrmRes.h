#pragma once

// Control and menu command identifiers of the main window.
namespace ui::win32::stampel_id {

// Top panel.
constexpr int StampelLbl = 401;
constexpr int Label2 = 402;
constexpr int Label3 = 403;
constexpr int FormatEdit = 404;
constexpr int SearchBtn = 405;
constexpr int FilePathEdit = 406;
constexpr int FormatGrpBox = 407;
constexpr int FirstSample = 410;  // the eleven sample buttons: 410 to 420
constexpr int DateGrpBox = 421;
constexpr int OrgTSRadio = 422;
constexpr int IntTSRadio = 423;
constexpr int SwitchesGrpBox = 424;
constexpr int FileChk = 425;
constexpr int DelOrgChk = 426;
constexpr int FileNoChk = 427;
constexpr int OverWrtChk = 428;
constexpr int CopyChk = 429;
constexpr int SubDirChk = 430;
constexpr int DisplayChk = 431;
constexpr int CompanionChk = 432;
constexpr int ElsewhereChk = 433;
constexpr int FileTimeChk = 434;
constexpr int ShiftLbl = 435;
constexpr int ShiftEdit = 436;

// Bottom panel.
constexpr int Label8 = 440;
constexpr int BatchExplEdit = 441;
constexpr int ExplLbl = 442;
constexpr int FilesDoneLbl = 443;
constexpr int ShowProgressBtn = 444;
constexpr int RunBtn = 445;
constexpr int QuitBtn = 446;
constexpr int CreditLbl = 447;

// Main menu commands.
constexpr int RunMenu = 501;
constexpr int QuitMenu = 502;
constexpr int SearchMenu = 503;
constexpr int OrgTSMenu = 504;
constexpr int IntTSMenu = 505;
constexpr int FileMenu = 506;
constexpr int DelOrgMenu = 507;
constexpr int FileNoMenu = 508;
constexpr int OverWrtMenu = 509;
constexpr int CopyMenu = 510;
constexpr int SubDirMenu = 511;
constexpr int DisplayMenu = 512;
constexpr int ShowAlwaysMenu = 513;
constexpr int HideAlwaysMenu = 514;
constexpr int AutoHideMenu = 515;
constexpr int TranslationsMenu = 516;
constexpr int VersionMenu = 517;
constexpr int PreviewMenu = 518;
constexpr int UndoMenu = 519;

// The Switches items and their check boxes, in the same order.
constexpr int kSwitchMenus[] = {FileMenu, DelOrgMenu, FileNoMenu, OverWrtMenu,
                                CopyMenu, SubDirMenu, DisplayMenu};
constexpr int kSwitchChecks[] = {FileChk, DelOrgChk, FileNoChk, OverWrtChk,
                                 CopyChk, SubDirChk, DisplayChk};

}  // namespace ui::win32::stampel_id
