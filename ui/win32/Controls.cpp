#include "ui/win32/Controls.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/WinText.h"
#include "ui/win32/Dpi.h"

namespace ui::win32 {

using platform::win32::Narrow;
using platform::win32::Widen;

void TControl::CreateControl(HWND parent, int id, const wchar_t* className, const std::string& text,
                             DWORD style, DWORD exStyle) {
  handle_ = CreateWindowExW(exStyle, className, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
}

void TControl::SetText(const std::string& text) { SetWindowTextW(handle_, Widen(text).c_str()); }

std::string TControl::Text() const {
  const int length = GetWindowTextLengthW(handle_);
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
  GetWindowTextW(handle_, text.data(), length + 1);
  return Narrow(text.data());
}

void TControl::SetFont(HFONT font) {
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TControl::SetBounds(const ui::Rect& bounds) { MoveControl(handle_, bounds); }

ui::Rect TControl::Bounds() const {
  RECT r{};
  GetWindowRect(handle_, &r);
  MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
  return ToRect(r);
}

void TControl::SetVisible(bool visible) { ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE); }

void TControl::SetEnabled(bool enabled) { EnableWindow(handle_, enabled ? TRUE : FALSE); }

void TLabel::Create(HWND parent, int id, const std::string& text, DWORD extraStyle) {
  CreateControl(parent, id, L"STATIC", text, SS_LEFT | extraStyle);
}

void TLabel::Fit() {
  HDC dc = GetDC(handle_);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0)));
  const std::wstring text = Widen(Text());
  RECT r{0, 0, 0, 0};
  UINT format = DT_CALCRECT | DT_SINGLELINE | DT_LEFT;
  if (GetWindowLongW(handle_, GWL_STYLE) & SS_NOPREFIX) format |= DT_NOPREFIX;
  // An empty label keeps the height of one line, as the text would have.
  DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &r, format);
  if (text.empty()) r.right = 0;
  // A last letter that reaches past its advance (the bar of a bold "f") keeps its tip.
  ABC last{};
  if (!text.empty() && GetCharABCWidthsW(dc, text.back(), text.back(), &last) && last.abcC < 0) {
    r.right -= last.abcC;
  }
  SelectObject(dc, old);
  ReleaseDC(handle_, dc);
  SetWindowPos(handle_, nullptr, 0, 0, r.right, r.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TLabel::FitAt(int left, int top) {
  Fit();
  const ui::Rect size = Bounds();
  SetBounds({left, top, size.width, size.height});
}

void TButton::Create(HWND parent, int id, const std::string& caption, bool isDefault) {
  CreateControl(parent, id, L"BUTTON", caption,
                WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
}

void TCheckButton::Create(HWND parent, int id, const std::string& caption, DWORD style) {
  CreateControl(parent, id, L"BUTTON", caption, style);
}

bool TCheckButton::Checked() const {
  return SendMessageW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckButton::SetChecked(bool checked) {
  SendMessageW(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TGroupBox::Create(HWND parent, int id, const std::string& caption) {
  CreateControl(parent, id, L"BUTTON", caption, BS_GROUPBOX | WS_GROUP);
}

void TComboBox::Create(HWND parent, int id, int maxLength) {
  CreateControl(parent, id, WC_COMBOBOXW, "",
                WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL);
  SendMessageW(handle_, CB_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  // Emptying the list empties the edit too.
  const std::string text = Text();
  SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  }
  SetText(text);
}

namespace {

std::string ItemText(HWND combo, LRESULT index) {
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return std::string();
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return Narrow(text.data());
}

}  // namespace

std::vector<std::string> TComboBox::Items() const {
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(handle_, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) items.push_back(ItemText(handle_, i));
  return items;
}

std::string TComboBox::SelectedItem() const {
  const LRESULT index = SendMessageW(handle_, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? std::string() : ItemText(handle_, index);
}

HWND TComboBox::EditHandle() const {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  return GetComboBoxInfo(handle_, &info) ? info.hwndItem : nullptr;
}

void TComboBox::SetBoundsWithRows(const ui::Rect& bounds, int rows) {
  // The height given to a drop-down box is that of the box with its list open.
  const LRESULT field = SendMessageW(handle_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  const LRESULT item = SendMessageW(handle_, CB_GETITEMHEIGHT, 0, 0);
  const int height = static_cast<int>(field) + 8 + rows * static_cast<int>(item);
  SetBounds({bounds.left, bounds.top, bounds.width, height});
  SendMessageW(handle_, CB_SETMINVISIBLE, static_cast<WPARAM>(rows), 0);
}

void TEdit::Create(HWND parent, int id, DWORD extraStyle, DWORD extraExStyle) {
  CreateControl(parent, id, L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL | extraStyle,
                WS_EX_CLIENTEDGE | extraExStyle);
}

void TEdit::CreateDisplay(HWND parent, int id) {
  CreateControl(parent, id, L"EDIT", "", ES_READONLY | ES_AUTOHSCROLL);
}

void TStatusBar::Create(HWND parent, int id) {
  // Placed by the parent's layout, not glued to its bottom edge.
  CreateControl(parent, id, STATUSCLASSNAMEW, "", CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER);
  SendMessageW(handle_, SB_SIMPLE, TRUE, 0);
}

void TStatusBar::SetStatusText(const std::string& text) {
  SendMessageW(handle_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

}  // namespace ui::win32
