#include "ui/win32/MainMenu.h"

#include <string>

#include "platform/win32/MessagePump.h"
#include "platform/win32/WinText.h"
#include "ui/MainTexts.h"
#include "ui/win32/StampelFrmRes.h"

namespace ui::win32 {

namespace {

using namespace ui::main_text;
namespace id = stampel_id;

void AddItem(HMENU menu, int command, const std::string& caption) {
  AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command),
              platform::win32::Widen(caption).c_str());
}

void AddSubmenu(HMENU menu, HMENU submenu, const std::string& caption) {
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
              platform::win32::Widen(caption).c_str());
}

HMENU BuildMenu() {
  HMENU file = CreatePopupMenu();
  AddItem(file, id::RunMenu, kRunMenu);
  AddItem(file, id::PreviewMenu, kPreviewMenu);
  AddItem(file, id::UndoMenu, kUndoMenu);
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);  // N1
  // The text after the tab is the shortcut Windows shows at the right of the item.
  AddItem(file, id::QuitMenu, std::string(kQuitMenu) + "\tCtrl+X");

  HMENU dateSelection = CreatePopupMenu();
  AddItem(dateSelection, id::OrgTSMenu, kOriginalTimestamp);
  AddItem(dateSelection, id::IntTSMenu, kInternalTimestamp);

  HMENU switches = CreatePopupMenu();
  AddItem(switches, id::FileMenu, kFileChk);
  AddItem(switches, id::DelOrgMenu, kDelOrgChk);
  AddItem(switches, id::FileNoMenu, kFileNoChk);
  AddItem(switches, id::OverWrtMenu, kOverWrtChk);
  AddItem(switches, id::CopyMenu, kCopyMenu);
  AddItem(switches, id::SubDirMenu, kSubDirMenu);
  AddItem(switches, id::DisplayMenu, kDisplayChk);

  HMENU toggle = CreatePopupMenu();
  AddItem(toggle, id::ShowAlwaysMenu, kShowAlwaysMenu);
  AddItem(toggle, id::HideAlwaysMenu, kHideAlwaysMenu);
  AddItem(toggle, id::AutoHideMenu, kAutoHideMenu);

  HMENU options = CreatePopupMenu();
  AddItem(options, id::SearchMenu, kSearchMenu);
  AddSubmenu(options, dateSelection, kDateSelMenu);
  AddSubmenu(options, switches, kSwitchesMenu);
  AddSubmenu(options, toggle, kToggleProgBtnMenu);
  AddItem(options, id::TranslationsMenu, kTranslationsMenu);

  HMENU help = CreatePopupMenu();
  AddItem(help, id::VersionMenu, std::string(kVersionMenu) + "\tF1");

  HMENU bar = CreateMenu();
  AddSubmenu(bar, file, kFileMainMain);
  AddSubmenu(bar, options, kOptionsMainMenu);
  AddSubmenu(bar, help, kHelpMainMenu);
  return bar;
}

}  // namespace

TMainMenu::~TMainMenu() {
  // The menu goes with its window; the shortcuts are the program's to free.
  if (window_) platform::win32::SetWindowAccelerators(window_, nullptr);
  if (shortcuts_) DestroyAcceleratorTable(shortcuts_);
}

void TMainMenu::Attach(HWND window) {
  window_ = window;
  menu_ = BuildMenu();
  SetMenu(window, menu_);

  ACCEL keys[] = {
      {FVIRTKEY | FCONTROL, 'X', static_cast<WORD>(id::QuitMenu)},
      {FVIRTKEY, VK_F1, static_cast<WORD>(id::VersionMenu)},
  };
  shortcuts_ = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
  platform::win32::SetWindowAccelerators(window, shortcuts_);

  HMENU system = GetSystemMenu(window, FALSE);
  AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(system, MF_STRING, static_cast<UINT_PTR>(kSystemVersionCommand),
              platform::win32::Widen(kSystemVersionMenu).c_str());
}

void TMainMenu::Check(int command, bool checked) {
  CheckMenuItem(menu_, static_cast<UINT>(command),
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void TMainMenu::Enable(int command, bool enabled) {
  EnableMenuItem(menu_, static_cast<UINT>(command),
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void TMainMenu::SetChecks(const ui::tMenuChecks& c) {
  Check(id::OrgTSMenu, c.OrgTSMenu);
  Check(id::IntTSMenu, c.IntTSMenu);
  Check(id::FileMenu, c.FileMenu);
  Check(id::DelOrgMenu, c.DelOrgMenu);
  Check(id::FileNoMenu, c.FileNoMenu);
  Check(id::OverWrtMenu, c.OverWrtMenu);
  Check(id::CopyMenu, c.CopyMenu);
  Check(id::SubDirMenu, c.SubDirMenu);
  Check(id::DisplayMenu, c.DisplayMenu);
}

void TMainMenu::CheckProgressButtonMode(ui::tProgressButtonMode mode) {
  Check(id::ShowAlwaysMenu, mode == ui::tProgressButtonMode::ShowAlways);
  Check(id::HideAlwaysMenu, mode == ui::tProgressButtonMode::HideAlways);
  Check(id::AutoHideMenu, mode == ui::tProgressButtonMode::Auto);
}

void TMainMenu::SetRunItemsEnabled(bool enabled) {
  Enable(id::RunMenu, enabled);
  Enable(id::PreviewMenu, enabled);
  Enable(id::UndoMenu, enabled);
  Enable(id::QuitMenu, enabled);
}

}  // namespace ui::win32
