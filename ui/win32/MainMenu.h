#pragma once

#include "platform/win32/WinApi.h"
#include "ui/FormatPreview.h"
#include "ui/MainChoices.h"

namespace ui::win32 {

// The main window's menu bar with its keyboard shortcuts (Ctrl+X quits, F1 opens the about
// window) and the entry it adds to the window's system menu. The items hold no state of
// their own: their check marks are set from the controls.
class TMainMenu {
 public:
  TMainMenu() = default;
  TMainMenu(const TMainMenu&) = delete;
  TMainMenu& operator=(const TMainMenu&) = delete;
  ~TMainMenu();

  // Builds the menu, gives it to the window, adds "Version..." to its system menu and
  // makes the shortcuts work while the window exists.
  void Attach(HWND window);

  void SetChecks(const ui::tMenuChecks& checks);
  void CheckProgressButtonMode(ui::tProgressButtonMode mode);
  // The Run, Preview, Undo and Quit items.
  void SetRunItemsEnabled(bool enabled);

  HMENU Handle() const { return menu_; }

 private:
  void Check(int command, bool checked);
  void Enable(int command, bool enabled);

  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
  HACCEL shortcuts_ = nullptr;
};

}  // namespace ui::win32
