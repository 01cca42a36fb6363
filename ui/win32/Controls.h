#pragma once

#include <string>
#include <vector>

#include "platform/win32/WinApi.h"
#include "ui/DpiScale.h"

// Thin wrappers over the standard controls. A control belongs to its parent window and
// goes with it; the wrapper only holds the handle.
namespace ui::win32 {

class TControl {
 public:
  HWND Handle() const { return handle_; }

  void SetText(const std::string& text);
  std::string Text() const;
  void SetFont(HFONT font);
  void SetBounds(const ui::Rect& bounds);
  ui::Rect Bounds() const;  // in the parent's client coordinates
  void SetVisible(bool visible);
  void SetEnabled(bool enabled);

 protected:
  void CreateControl(HWND parent, int id, const wchar_t* className, const std::string& text,
                     DWORD style, DWORD exStyle = 0);

  HWND handle_ = nullptr;
};

// A static text. Fit() sizes it to its text, as a label sizes itself.
class TLabel : public TControl {
 public:
  // extraStyle: SS_NOTIFY for a label that reacts to clicks, SS_NOPREFIX to show "&".
  void Create(HWND parent, int id, const std::string& text, DWORD extraStyle = 0);
  void Fit();
  // Fit() and move it with its top-left corner to the point.
  void FitAt(int left, int top);
};

class TButton : public TControl {
 public:
  void Create(HWND parent, int id, const std::string& caption, bool isDefault = false);
};

// A check box or a radio button that checks itself when clicked.
class TCheckButton : public TControl {
 public:
  // style: BS_AUTOCHECKBOX or BS_AUTORADIOBUTTON, with WS_GROUP where a group begins and
  // WS_TABSTOP where Tab should stop.
  void Create(HWND parent, int id, const std::string& caption, DWORD style);
  bool Checked() const;
  void SetChecked(bool checked);
};

// A frame with a caption around other controls (which are its siblings, not children).
class TGroupBox : public TControl {
 public:
  void Create(HWND parent, int id, const std::string& caption);
};

// An editable drop-down box: a one-line edit with a list of earlier texts.
class TComboBox : public TControl {
 public:
  void Create(HWND parent, int id, int maxLength);
  // Replaces the list; the edit's text stays.
  void SetItems(const std::vector<std::string>& items);
  std::vector<std::string> Items() const;
  // The text of the list's selected entry, or empty text.
  std::string SelectedItem() const;
  // The edit inside the box.
  HWND EditHandle() const;
  // Sizes the box and its list: the list shows the number of rows.
  void SetBoundsWithRows(const ui::Rect& bounds, int rows);
};

// A one-line edit; read-only ones show text the user can select and copy.
class TEdit : public TControl {
 public:
  void Create(HWND parent, int id, DWORD extraStyle = 0, DWORD extraExStyle = 0);
  // A read-only line without a frame that Tab passes by: text to read and copy.
  void CreateDisplay(HWND parent, int id);
};

// A status bar with one simple text panel, placed by its parent.
class TStatusBar : public TControl {
 public:
  void Create(HWND parent, int id);
  void SetStatusText(const std::string& text);
};

}  // namespace ui::win32
