#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GuiTest.h"
#include "settings/Translations.h"
#include "tests/support/SettingsSandbox.h"
#include "ui/win32/ProgressFrm.h"
#include "ui/win32/StampelFrm.h"
#include "ui/win32/StampelFrmRes.h"
#include "ui/win32/WinFrontend.h"

namespace guitest {

namespace id = ui::win32::stampel_id;

// A main window of the program's own, with its progress window, over a settings key of
// the test's own, driven with window messages as a user's mouse and keys would.
class MainWindowTest : public ::testing::Test {
 protected:
  void TearDown() override { Close(); }

  // Creates the window as the interactive mode does: restored from the settings, the
  // hidden progress window beside it, shown.
  void Open() {
    form = std::make_unique<ui::win32::TStampelFrm>(SettingsStore);
    progress = &ui::win32::WindowsFrontend().CreateProgressWindow(*form);
    form->SetProgressForm(progress);
    form->SetOnClosed([this] { ++closed; });
    form->Show();
    Pump();
  }
  // Destroys both windows; the main window saves its choices.
  void Close() {
    if (!form) return;
    form->SetProgressForm(nullptr);
    ui::win32::WindowsFrontend().DestroyProgressWindow();
    progress = nullptr;
    form.reset();
  }
  // Closes and opens again, as a second start of the program does.
  void Restart() {
    Close();
    settings.Reload();
    Open();
  }

  HWND Form() const { return form->Handle(); }
  HWND Ctl(int control) const { return GetDlgItem(Form(), control); }
  std::string Text(int control) const { return TextOf(Ctl(control)); }
  bool Checked(int control) const {
    return SendMessageW(Ctl(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  std::string BatchLine() const { return Text(id::BatchExplEdit); }
  std::string Example() const { return Text(id::ExplLbl); }

  // A click as the mouse gives it.
  void Click(int control) {
    SendMessageW(Ctl(control), BM_CLICK, 0, 0);
    Pump();
  }
  // A menu item chosen.
  void Menu(int command) {
    SendMessageW(Form(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    Pump();
  }
  bool MenuChecked(int command) const {
    return (GetMenuState(form->MenuHandle(), static_cast<UINT>(command), MF_BYCOMMAND) &
            MF_CHECKED) != 0;
  }
  bool MenuEnabled(int command) const {
    return (GetMenuState(form->MenuHandle(), static_cast<UINT>(command), MF_BYCOMMAND) &
            (MF_GRAYED | MF_DISABLED)) == 0;
  }
  // The edit inside a drop-down box.
  HWND EditOf(int combo) const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(Ctl(combo), &info);
    return info.hwndItem;
  }
  // Typed into a drop-down box, key by key, after what it holds.
  void Type(int combo, const std::wstring& text);
  // Selects all of a box's text and types over it.
  void Retype(int combo, const std::wstring& text);
  // Picks a drop-down list's entry as the keyboard does.
  void Pick(int combo, int index);
  std::vector<std::string> ListOf(int combo) const;

  test::SettingsSandbox settings;
  std::unique_ptr<ui::win32::TStampelFrm> form;
  ui::win32::TProgressFrm* progress = nullptr;
  int closed = 0;
};

}  // namespace guitest
