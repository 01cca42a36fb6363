#include "ui/win32/Hints.h"

#include <commctrl.h>

#include "platform/win32/WinText.h"

namespace ui::win32 {

namespace {

// The common controls 5 size of the structure; version 6 takes it as well.
TTTOOLINFOW ToolFor(HWND form, HWND control) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

}  // namespace

void THints::Create(HWND form) {
  form_ = form;
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
}

void THints::Add(HWND control, const std::string& hint) {
  if (!tooltip_) return;
  std::wstring text = platform::win32::Widen(hint);
  TTTOOLINFOW tool = ToolFor(form_, control);
  tool.lpszText = text.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace ui::win32
