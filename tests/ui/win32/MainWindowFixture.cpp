#include "MainWindowFixture.h"

#include <commctrl.h>

#include "platform/win32/WinText.h"

namespace guitest {

void MainWindowTest::Type(int combo, const std::wstring& text) {
  HWND edit = EditOf(combo);
  SetFocus(edit);
  const LRESULT end = GetWindowTextLengthW(edit);
  SendMessageW(edit, EM_SETSEL, end, end);
  for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
  Pump();
}

void MainWindowTest::Retype(int combo, const std::wstring& text) {
  HWND edit = EditOf(combo);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, WM_CHAR, VK_BACK, 1);
  for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
  Pump();
}

void MainWindowTest::Pick(int combo, int index) {
  // Down from the top of the list, as the arrow key walks it.
  SetFocus(EditOf(combo));
  SendMessageW(Ctl(combo), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  for (int i = 0; i <= index; ++i) PressKey(EditOf(combo), VK_DOWN);
}

std::vector<std::string> MainWindowTest::ListOf(int combo) const {
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(Ctl(combo), CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::vector<wchar_t> text(static_cast<size_t>(SendMessageW(Ctl(combo), CB_GETLBTEXTLEN, i, 0)) +
                              1);
    SendMessageW(Ctl(combo), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    items.push_back(platform::win32::Narrow(text.data()));
  }
  return items;
}

}  // namespace guitest
