// clang-format off
#include "platform/win32/WinApi.h"
#include <commctrl.h>
// clang-format on

#include "ui/win32/KeyValueGrid.h"

#include <vector>

#include "platform/win32/WinText.h"
#include "ui/win32/Dpi.h"

namespace ui::win32 {

namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

constexpr UINT_PTR kSubclassId = 1;
constexpr int kKeyColumn = 0;
constexpr int kValueColumn = 1;
constexpr UINT kInsertCommand = 1;
constexpr UINT kDeleteCommand = 2;
constexpr const char* kRefusalCaption = "Stampel";

std::string TextOf(HWND window) {
  std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1);
  GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return Narrow(text.data());
}

bool ControlDown() { return GetKeyState(VK_CONTROL) < 0; }
bool ShiftDown() { return GetKeyState(VK_SHIFT) < 0; }

}  // namespace

void TKeyValueGrid::Create(HWND dialog, int listId, int editId, ui::tTranslationGrid& rows,
                           const std::string& keyTitle, const std::string& valueTitle) {
  dialog_ = dialog;
  rows_ = &rows;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  // The editor is a child of the list, which must not paint over it; the keyboard
  // navigation looks into the list for it.
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, WC_LISTVIEWW, L"",
                          WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | LVS_REPORT |
                              LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                          0, 0, 0, 0, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(listId)),
                          instance, nullptr);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  const std::string titles[] = {keyTitle, valueTitle};
  for (int column = 0; column < 2; ++column) {
    std::wstring title = Widen(titles[column]);
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.cx = 100;
    c.pszText = title.data();
    ListView_InsertColumn(list_, column, &c);
  }
  edit_ = CreateWindowExW(
      0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 0, 0,
      list_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(editId)), instance, nullptr);
  SetWindowSubclass(edit_, &TKeyValueGrid::EditProcedure, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  SetWindowSubclass(list_, &TKeyValueGrid::ListProcedure, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  FillList();
  row_ = 0;
  column_ = kKeyColumn;
  ShowRow(row_);
  SetWindowTextW(edit_, Widen(CellText(row_, column_)).c_str());
  PlaceEditor();
}

void TKeyValueGrid::SetFont(HFONT font) {
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  PlaceEditor();
}

void TKeyValueGrid::SetBounds(const ui::Rect& bounds) {
  MoveControl(list_, bounds);
  PlaceEditor();
}

void TKeyValueGrid::SetColumnWidths(int key, int value) {
  ListView_SetColumnWidth(list_, kKeyColumn, key);
  ListView_SetColumnWidth(list_, kValueColumn, value);
  PlaceEditor();
}

std::string TKeyValueGrid::CellText(int row, int column) const {
  const ui::tTranslationRow& r = rows_->Row(static_cast<size_t>(row));
  return column == kKeyColumn ? r.key : r.value;
}

void TKeyValueGrid::FillList() {
  ListView_DeleteAllItems(list_);
  for (size_t row = 0; row < rows_->RowCount(); ++row) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    std::wstring key = Widen(rows_->Row(row).key);
    item.pszText = key.data();
    ListView_InsertItem(list_, &item);
    std::wstring value = Widen(rows_->Row(row).value);
    ListView_SetItemText(list_, static_cast<int>(row), kValueColumn, value.data());
  }
}

void TKeyValueGrid::ShowRow(int row) {
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(list_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list_, row, FALSE);
}

void TKeyValueGrid::PlaceEditor() {
  if (!edit_ || !rows_) return;
  RECT cell{};
  // The key column's item rectangle spans the row: its own width is the column's.
  if (!ListView_GetSubItemRect(list_, row_, column_, LVIR_BOUNDS, &cell)) return;
  if (column_ == kKeyColumn) cell.right = cell.left + ListView_GetColumnWidth(list_, kKeyColumn);
  RECT client{};
  GetClientRect(list_, &client);
  // Below the title row.
  RECT header{};
  GetWindowRect(ListView_GetHeader(list_), &header);
  client.top += header.bottom - header.top;
  IntersectRect(&cell, &cell, &client);
  // Over the row, or hidden while the row is scrolled out of sight.
  const bool visible = cell.bottom > cell.top && cell.right > cell.left;
  SetWindowPos(edit_, HWND_TOP, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
               SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TKeyValueGrid::Refuse(ui::tKeyCheck check, const std::string& key) {
  refusing_ = true;
  MessageBoxW(dialog_, Widen(ui::tTranslationGrid::RefusalMessage(check, key)).c_str(),
              Widen(kRefusalCaption).c_str(), MB_OK | MB_ICONERROR);
  refusing_ = false;
  SetFocus(edit_);
  SendMessageW(edit_, EM_SETSEL, 0, -1);
}

bool TKeyValueGrid::CommitEditor() {
  const std::string text = TextOf(edit_);
  const size_t row = static_cast<size_t>(row_);
  if (column_ == kKeyColumn) {
    const ui::tKeyCheck check = rows_->CheckKey(row, text);
    if (check != ui::tKeyCheck::Accepted) {
      Refuse(check, text);
      return false;
    }
    rows_->SetKey(row, text);
  } else {
    rows_->SetValue(row, text);
  }
  std::wstring shown = Widen(text);
  ListView_SetItemText(list_, row_, column_, shown.data());
  return true;
}

bool TKeyValueGrid::SelectCell(int row, int column) {
  if (row < 0 || static_cast<size_t>(row) >= rows_->RowCount() || column < 0 || column > 1)
    return false;
  if (!CommitEditor()) return false;
  row_ = row;
  column_ = column;
  ShowRow(row_);
  SetWindowTextW(edit_, Widen(CellText(row_, column_)).c_str());
  PlaceEditor();
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  return true;
}

bool TKeyValueGrid::InsertRowAtCurrent() {
  if (!CommitEditor() || !rows_->InsertRow(static_cast<size_t>(row_))) return false;
  FillList();
  column_ = kKeyColumn;
  ShowRow(row_);
  SetWindowTextW(edit_, L"");
  PlaceEditor();
  return true;
}

bool TKeyValueGrid::DeleteCurrentRow() {
  rows_->DeleteRow(static_cast<size_t>(row_));
  FillList();
  if (static_cast<size_t>(row_) >= rows_->RowCount())
    row_ = static_cast<int>(rows_->RowCount()) - 1;
  ShowRow(row_);
  SetWindowTextW(edit_, Widen(CellText(row_, column_)).c_str());
  PlaceEditor();
  return true;
}

bool TKeyValueGrid::OnEditKey(WPARAM key) {
  const int last = static_cast<int>(rows_->RowCount()) - 1;
  switch (key) {
    case VK_TAB:
      if (!ShiftDown()) {
        if (row_ == last && column_ == kValueColumn) {
          // Out of the grid at its end, on to the next control.
          if (CommitEditor()) SendMessageW(dialog_, WM_NEXTDLGCTL, 0, 0);
          return true;
        }
        SelectCell(column_ == kKeyColumn ? row_ : row_ + 1,
                   column_ == kKeyColumn ? kValueColumn : kKeyColumn);
      } else {
        if (row_ == 0 && column_ == kKeyColumn) {
          if (CommitEditor()) SendMessageW(dialog_, WM_NEXTDLGCTL, 1, 0);
          return true;
        }
        SelectCell(column_ == kValueColumn ? row_ : row_ - 1,
                   column_ == kValueColumn ? kKeyColumn : kValueColumn);
      }
      return true;
    case VK_UP:
      SelectCell(row_ - 1, column_);
      return true;
    case VK_DOWN:
      if (row_ == last) {
        // A filled last row gets a new one under it, up to the limit.
        if (!CommitEditor() || rows_->Row(static_cast<size_t>(row_)).Blank() ||
            !rows_->InsertRow(rows_->RowCount())) {
          return true;
        }
        FillList();
        row_ = last + 1;
        column_ = kKeyColumn;
        ShowRow(row_);
        SetWindowTextW(edit_, L"");
        PlaceEditor();
        return true;
      }
      SelectCell(row_ + 1, column_);
      return true;
    case VK_INSERT:
      InsertRowAtCurrent();
      return true;
    case VK_DELETE:
      if (!ControlDown()) return false;
      DeleteCurrentRow();
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK TKeyValueGrid::EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TKeyValueGrid*>(data);
  switch (message) {
    case WM_GETDLGCODE:
      // Tab moves between cells; Enter and Esc still reach the dialog's buttons.
      return DefSubclassProc(edit, message, wParam, lParam) | DLGC_WANTTAB | DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (self->OnEditKey(wParam)) return 0;
      break;
    case WM_CHAR:
      if (wParam == L'\t') return 0;  // no tab character in a cell
      break;
    case WM_CONTEXTMENU: {
      POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      self->ShowContextMenu(at);
      return 0;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, &TKeyValueGrid::EditProcedure, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK TKeyValueGrid::ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TKeyValueGrid*>(data);
  switch (message) {
    case WM_COMMAND:
      // The editor's notifications are the dialog's.
      if (reinterpret_cast<HWND>(lParam) == self->edit_)
        return SendMessageW(self->dialog_, WM_COMMAND, wParam, lParam);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(list, &TKeyValueGrid::ListProcedure, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

void TKeyValueGrid::ShowContextMenu(POINT at) {
  if (at.x == -1 && at.y == -1) {
    RECT r{};
    GetWindowRect(edit_, &r);
    at = {r.left, r.bottom};
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING | (rows_->CanAddRow() ? 0 : MF_GRAYED), kInsertCommand,
              L"&Insert Row\tIns");
  AppendMenuW(menu, MF_STRING, kDeleteCommand, L"&Delete Row\tCtrl+Del");
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog_, nullptr));
  DestroyMenu(menu);
  if (chosen == kInsertCommand) InsertRowAtCurrent();
  if (chosen == kDeleteCommand) DeleteCurrentRow();
  SetFocus(edit_);
}

void TKeyValueGrid::HandleEditCommand(int code) {
  // A refused key is looked at once the focus has gone where the user sent it.
  if (code == EN_KILLFOCUS && !refusing_) PostMessageW(dialog_, kCheckLater, 0, 0);
}

void TKeyValueGrid::CheckAfterFocusChange() {
  if (refusing_ || GetFocus() == edit_ || !IsWindowVisible(dialog_)) return;
  CommitEditor();
}

bool TKeyValueGrid::HandleNotify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom == list_) {
    switch (header.code) {
      case NM_CLICK:
      case NM_DBLCLK: {
        const auto& item = reinterpret_cast<const NMITEMACTIVATE&>(header);
        LVHITTESTINFO hit{};
        hit.pt = item.ptAction;
        if (ListView_SubItemHitTest(list_, &hit) >= 0 && hit.iItem >= 0)
          SelectCell(hit.iItem, hit.iSubItem == kValueColumn ? kValueColumn : kKeyColumn);
        SetFocus(edit_);
        result = 0;
        return true;
      }
      case NM_RCLICK: {
        POINT at{};
        GetCursorPos(&at);
        ShowContextMenu(at);
        result = 0;
        return true;
      }
      case NM_SETFOCUS:
        // The cells are edited in the editor; the list passes the focus on.
        SetFocus(edit_);
        result = 0;
        return true;
      case LVN_ENDSCROLL:
        PlaceEditor();
        result = 0;
        return true;
      default:
        return false;
    }
  }
  if (header.hwndFrom == ListView_GetHeader(list_)) {
    // Column sizing moves and widens the editor with its column.
    if (header.code == HDN_ITEMCHANGEDW || header.code == HDN_ITEMCHANGEDA ||
        header.code == HDN_ENDTRACKW || header.code == HDN_ENDTRACKA) {
      PlaceEditor();
    }
  }
  return false;
}

}  // namespace ui::win32
