#pragma once

#include <string>

#include "platform/win32/WinApi.h"
#include "ui/DpiScale.h"
#include "ui/TranslationGrid.h"

namespace ui::win32 {

// A two-column key/value grid a user can work with by keyboard alone: a list view with
// grid lines and a title row, and a one-line edit that always stands over the current
// cell. Tab and Shift+Tab move from cell to cell (and out of the grid at its ends), Up and
// Down from row to row, Down on a filled last row adds a row, Insert adds a row above the
// current one, Ctrl+Delete deletes the current row; a right click offers both. A key that
// the rows refuse (twice, or holding "=") is not taken: a message names it and the editor
// stays on it.
class TKeyValueGrid {
 public:
  TKeyValueGrid() = default;
  TKeyValueGrid(const TKeyValueGrid&) = delete;
  TKeyValueGrid& operator=(const TKeyValueGrid&) = delete;

  // The list as a child of the dialog, and the editor inside it.
  void Create(HWND dialog, int listId, int editId, ui::tTranslationGrid& rows,
              const std::string& keyTitle, const std::string& valueTitle);
  HWND ListHandle() const { return list_; }
  HWND EditHandle() const { return edit_; }

  void SetFont(HFONT font);
  void SetBounds(const ui::Rect& bounds);
  void SetColumnWidths(int key, int value);

  int CurrentRow() const { return row_; }
  int CurrentColumn() const { return column_; }
  // Moves the editor to the cell, taking the edited text first; false (the editor stays)
  // when that text is a key the rows refuse.
  bool SelectCell(int row, int column);
  // Takes the edited text into the rows; false, with the message shown, when refused.
  bool CommitEditor();

  bool InsertRowAtCurrent();
  bool DeleteCurrentRow();

  // The dialog hands the list's notifications here; true when answered.
  bool HandleNotify(const NMHDR& header, LRESULT& result);
  // The dialog hands the editor's commands here (EN_KILLFOCUS checks the key).
  void HandleEditCommand(int code);
  // The dialog calls this for its own message kCheckLater.
  void CheckAfterFocusChange();
  static constexpr UINT kCheckLater = WM_APP + 17;

 private:
  static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self);
  static LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self);
  // True when the key was handled.
  bool OnEditKey(WPARAM key);
  void ShowContextMenu(POINT at);
  void FillList();
  void ShowRow(int row);
  void PlaceEditor();
  std::string CellText(int row, int column) const;
  void Refuse(ui::tKeyCheck check, const std::string& key);

  HWND dialog_ = nullptr;
  HWND list_ = nullptr;
  HWND edit_ = nullptr;
  ui::tTranslationGrid* rows_ = nullptr;
  int row_ = 0;
  int column_ = 0;
  bool refusing_ = false;  // a refusal message is on the screen
};

}  // namespace ui::win32
