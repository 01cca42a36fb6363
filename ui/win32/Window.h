#pragma once

#include <string>

#include "platform/win32/WinApi.h"

namespace ui::win32 {

// A top-level window of the program. Every window class of the program shares one
// window procedure, which finds the object at WM_NCCREATE and hands each message to
// HandleMessage; an exception that a handler lets out stops there and is shown in the
// error box, so none crosses into Windows.
class TWindow {
 public:
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;
  // Destroys the window if it still exists.
  virtual ~TWindow();

  HWND Handle() const { return handle_; }
  // Shown on the screen (the main window's Show Progress button asks this).
  bool Visible() const;

  // Shows the window and runs messages until EndModal or until the window is closed;
  // the other windows of the program are disabled meanwhile. Hides it again at the end.
  void ShowModal();
  // Ends ShowModal after the current message.
  void EndModal();

 protected:
  TWindow() = default;

  // Registers the window class once and creates the window, hidden.
  void CreateWindowOfClass(const wchar_t* className, DWORD exStyle, DWORD style,
                           const std::string& caption, int left, int top, int width, int height,
                           HWND owner);

  // Handles one message; the default passes it to DefaultHandling.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Commands from controls and dialog keys: the control's id and notification code.
  virtual void OnCommand(int /*id*/, int /*code*/) {}
  // The window moved to a monitor with another DPI and already has the size Windows
  // suggested for it: fonts and designed sizes follow.
  virtual void OnDpiChanged(int /*dpi*/) {}
  // Enter and Esc act on these buttons while they are shown and enabled (0: none).
  void SetDefaultButton(int id) { defaultButton_ = id; }
  void SetCancelButton(int id) { cancelButton_ = id; }
  // The control that has the focus when the window is activated; later the control that
  // had it when the window was left.
  void SetFocusControl(HWND control) { focusControl_ = control; }

  // What Windows does with the message, plus the default and cancel buttons, the focus,
  // the routing of WM_COMMAND to OnCommand and of DPI changes to OnDpiChanged.
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The button with that id when it can be pressed, otherwise nullptr.
  HWND UsableButton(int id) const;
  bool CanTakeFocus(HWND control) const;

  HWND handle_ = nullptr;
  int defaultButton_ = 0;
  int cancelButton_ = 0;
  HWND focusControl_ = nullptr;
  bool inModalLoop_ = false;
  bool modalEnded_ = false;
};

// Common controls 6 (list views, status bars, tooltips); safe to call more than once.
void InitCommonControlsOnce();

}  // namespace ui::win32
