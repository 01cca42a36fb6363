#pragma once

#include <string>

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
};

class TButton : public TControl {
 public:
  void Create(HWND parent, int id, const std::string& caption, bool isDefault = false);
};

// A one-line edit; read-only ones show text the user can select and copy.
class TEdit : public TControl {
 public:
  void Create(HWND parent, int id, DWORD extraStyle = 0, DWORD extraExStyle = 0);
};

// A status bar with one simple text panel, placed by its parent.
class TStatusBar : public TControl {
 public:
  void Create(HWND parent, int id);
  void SetStatusText(const std::string& text);
};

}  // namespace ui::win32
