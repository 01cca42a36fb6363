#include "ui/win32/LineList.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/WinText.h"

namespace ui::win32 {

using platform::win32::Widen;

TLineList::~TLineList() {
  if (measuring_) DeleteDC(measuring_);
}

void TLineList::Create(HWND parent, int id, const ui::ProgressLog& log) {
  log_ = &log;
  CreateControl(parent, id, WC_LISTVIEWW, "",
                WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | LVS_REPORT | LVS_OWNERDATA |
                    LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS,
                WS_EX_CLIENTEDGE);
  ListView_SetExtendedListViewStyle(handle_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 0;
  ListView_InsertColumn(handle_, 0, &column);
  measuring_ = CreateCompatibleDC(nullptr);
}

int TLineList::TextWidth(const std::string& line) const {
  const std::wstring text = Widen(line);
  SIZE size{};
  GetTextExtentPoint32W(measuring_, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

const std::string& TLineList::ShownLine(size_t row) const {
  // Lines added since the last Sync sit above the shown ones in the log.
  return log_->Line(row + (log_->LineCount() - shownLines_));
}

void TLineList::SetListFont(HFONT font, int dpi) {
  font_ = font;
  textMargin_ = ui::ScaleToDpi(6, dpi);
  SetFont(font);
  SelectObject(measuring_, font);
  widestLine_ = 0;
  for (size_t row = 0; row < shownLines_; ++row) {
    widestLine_ = std::max(widestLine_, TextWidth(ShownLine(row)));
  }
  FitColumn();
}

void TLineList::Sync() {
  const size_t count = log_->LineCount();
  if (count == shownLines_) return;
  // The new lines are rows 0 to count - shownLines_ - 1.
  for (size_t row = 0; row < count - shownLines_; ++row) {
    widestLine_ = std::max(widestLine_, TextWidth(log_->Line(row)));
  }
  shownLines_ = count;
  // Every row moved down, so all visible rows are painted again; the view stays where
  // the user scrolled it.
  ListView_SetItemCountEx(handle_, static_cast<int>(count),
                          LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  InvalidateRect(handle_, nullptr, TRUE);
  FitColumn();
}

void TLineList::FitColumn() {
  RECT client{};
  GetClientRect(handle_, &client);
  // At least as wide as the control, so a selected row is marked across it.
  const int width = std::max<int>(widestLine_ + 2 * textMargin_, client.right);
  if (width == columnWidth_) return;
  columnWidth_ = width;
  ListView_SetColumnWidth(handle_, 0, width);
}

void TLineList::PaintRow(HDC dc, int row) {
  ++rowsPainted_;
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  if (!SendMessageW(handle_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds))) return;
  const bool selected = ListView_GetItemState(handle_, row, LVIS_SELECTED) != 0;
  const bool focused = GetFocus() == handle_;
  int background = COLOR_WINDOW;
  int foreground = COLOR_WINDOWTEXT;
  if (selected) {
    background = focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE;
    foreground = focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT;
  }
  FillRect(dc, &bounds, GetSysColorBrush(background));

  const std::wstring text = Widen(ShownLine(static_cast<size_t>(row)));
  HGDIOBJ oldFont = font_ ? SelectObject(dc, font_) : nullptr;
  SetTextColor(dc, GetSysColor(foreground));
  SetBkMode(dc, TRANSPARENT);
  RECT textArea = bounds;
  textArea.left += textMargin_;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
  if (oldFont) SelectObject(dc, oldFont);

  if (focused && ListView_GetItemState(handle_, row, LVIS_FOCUSED)) DrawFocusRect(dc, &bounds);
}

bool TLineList::HandleNotify(const NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case NM_CUSTOMDRAW: {
      auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(const_cast<NMHDR&>(header));
      if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
        return true;
      }
      if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
        if (row >= 0 && static_cast<size_t>(row) < shownLines_) PaintRow(draw.nmcd.hdc, row);
        result = CDRF_SKIPDEFAULT;
        return true;
      }
      result = CDRF_DODEFAULT;
      return true;
    }
    case LVN_GETDISPINFOW: {
      // Asked by whoever reads an item's text; the rows themselves are painted above.
      auto& info = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header));
      const int row = info.item.iItem;
      if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0 &&
          row >= 0 && static_cast<size_t>(row) < shownLines_) {
        const std::wstring text = Widen(ShownLine(static_cast<size_t>(row)));
        const size_t count = std::min<size_t>(text.size(), info.item.cchTextMax - 1);
        std::copy_n(text.c_str(), count, info.item.pszText);
        info.item.pszText[count] = L'\0';
      }
      result = 0;
      return true;
    }
    case LVN_ODFINDITEMW:
      result = -1;  // typing does not search the lines
      return true;
    case LVN_KEYDOWN: {
      const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
      if (GetKeyState(VK_CONTROL) < 0 && key.wVKey == 'C') CopySelection();
      if (GetKeyState(VK_CONTROL) < 0 && key.wVKey == 'A') SelectAll();
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

void TLineList::SelectAll() { ListView_SetItemState(handle_, -1, LVIS_SELECTED, LVIS_SELECTED); }

void TLineList::CopySelection() {
  std::wstring text;
  for (int row = ListView_GetNextItem(handle_, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(handle_, row, LVNI_SELECTED)) {
    if (static_cast<size_t>(row) >= shownLines_) break;
    text += Widen(ShownLine(static_cast<size_t>(row)));
    text += L"\r\n";
  }
  if (text.empty() || !OpenClipboard(GetParent(handle_))) return;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* target = GlobalLock(memory)) {
      std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(target));
      GlobalUnlock(memory);
      if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

}  // namespace ui::win32
