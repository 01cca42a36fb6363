#pragma once

#include <string>

#include "platform/win32/WinApi.h"
#include "ui/ProgressLog.h"
#include "ui/win32/Controls.h"

namespace ui::win32 {

// The progress lines, newest on top, in a virtual list view: the control asks for the
// rows it shows and paints only those, so a line costs the same after 100,000 lines as
// after ten, and the rows are drawn here, so no line is cut at any length. Ctrl+A selects
// every line, Ctrl+C copies the selected ones.
// The list shows the log as of the last Sync, so its owner decides how often the screen
// follows (painting is what costs, not the lines), and the rows always agree with the
// count and status its owner showed at that moment.
class TLineList : public TControl {
 public:
  TLineList() = default;
  TLineList(const TLineList&) = delete;
  TLineList& operator=(const TLineList&) = delete;
  ~TLineList();

  void Create(HWND parent, int id, const ui::ProgressLog& log);
  // Shows the lines the log got since the last call.
  void Sync();
  // The font of the rows; the widths of all lines are measured again.
  void SetListFont(HFONT font, int dpi);
  // Call after the control changed its size.
  void FitColumn();
  // The parent hands every WM_NOTIFY of this control here; true when it was answered.
  bool HandleNotify(const NMHDR& header, LRESULT& result);

  // Copies the selected lines, top to bottom, one per line, to the clipboard.
  void CopySelection();
  void SelectAll();
  // How many rows the control has had painted since it was made: what the lines cost on
  // the screen, whatever the machine's speed.
  size_t RowsPainted() const { return rowsPainted_; }

 private:
  int TextWidth(const std::string& line) const;
  // Row 0 is the newest line as of the last Sync.
  const std::string& ShownLine(size_t row) const;
  void PaintRow(HDC dc, int row);

  const ui::ProgressLog* log_ = nullptr;
  HDC measuring_ = nullptr;  // a memory DC holding the rows' font, for text widths
  HFONT font_ = nullptr;
  int widestLine_ = 0;     // in pixels
  int textMargin_ = 6;     // left of the text, and as much again right of the widest
  int columnWidth_ = -1;   // as last set
  size_t shownLines_ = 0;  // the log's line count as of the last Sync
  size_t rowsPainted_ = 0;
};

}  // namespace ui::win32
