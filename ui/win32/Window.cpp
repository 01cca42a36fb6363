#include "ui/win32/Window.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/MessagePump.h"
#include "platform/win32/WinText.h"
#include "ui/win32/ErrorBox.h"
#include "ui/win32/ResourceIds.h"

namespace ui::win32 {

void InitCommonControlsOnce() {
  static const bool initialised = [] {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES |
                    ICC_BAR_CLASSES | ICC_TAB_CLASSES;
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)initialised;
}

namespace {

void RegisterClassOnce(const wchar_t* className, WNDPROC procedure) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW known{};
  known.cbSize = sizeof(known);
  if (GetClassInfoExW(instance, className, &known)) return;

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  // Without the program's resources linked in, Windows' default icon serves.
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_STAMPEL),
                                                    IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_STAMPEL),
                                                      IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  RegisterClassExW(&windowClass);
}

// Disables the enabled top-level windows of this thread except one, and returns them.
std::vector<HWND> DisableOtherWindows(HWND keep) {
  struct Collect {
    HWND keep;
    std::vector<HWND> windows;
  } collect{keep, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto* c = reinterpret_cast<Collect*>(data);
        if (window != c->keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
          try {
            c->windows.push_back(window);
          } catch (...) {
            return FALSE;  // out of memory: the rest stay enabled
          }
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&collect));
  for (HWND window : collect.windows) EnableWindow(window, FALSE);
  return collect.windows;
}

}  // namespace

TWindow::~TWindow() {
  if (handle_) DestroyWindow(handle_);
}

bool TWindow::Visible() const { return handle_ && IsWindowVisible(handle_); }

void TWindow::CreateWindowOfClass(const wchar_t* className, DWORD exStyle, DWORD style,
                                  const std::string& caption, int left, int top, int width,
                                  int height, HWND owner) {
  InitCommonControlsOnce();
  RegisterClassOnce(className, &TWindow::WindowProcedure);
  CreateWindowExW(exStyle, className, platform::win32::Widen(caption).c_str(), style, left, top,
                  width, height, owner, nullptr, GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK TWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<TWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    ShowCurrentException();
    result = DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    // The object may outlive its window; it must not be reached through it any more.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    if (self->inModalLoop_) self->EndModal();
  }
  return result;
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

HWND TWindow::UsableButton(int id) const {
  if (id == 0) return nullptr;
  HWND button = GetDlgItem(handle_, id);
  return button && IsWindowVisible(button) && IsWindowEnabled(button) ? button : nullptr;
}

bool TWindow::CanTakeFocus(HWND control) const {
  return control && IsChild(handle_, control) && IsWindowVisible(control) &&
         IsWindowEnabled(control);
}

LRESULT TWindow::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focused = GetFocus();
        if (focused && IsChild(handle_, focused)) focusControl_ = focused;
        return 0;
      }
      if (CanTakeFocus(focusControl_)) {
        SetFocus(focusControl_);
        return 0;
      }
      return DefWindowProcW(handle_, message, wParam, lParam);
    case WM_SETFOCUS:
      if (CanTakeFocus(focusControl_)) SetFocus(focusControl_);
      return 0;
    case WM_NEXTDLGCTL: {
      // The keyboard navigation asks for the next control this way (Tab, a label's
      // Alt+letter); only dialog windows answer it by themselves.
      HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(handle_, GetFocus(), wParam != 0);
      if (target) {
        SetFocus(target);
        if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
          SendMessageW(target, EM_SETSEL, 0, -1);
      }
      return 0;
    }
    case DM_GETDEFID:
      // Asked by the keyboard navigation when Enter is pressed.
      if (UsableButton(defaultButton_)) return MAKELRESULT(defaultButton_, DC_HASDEFID);
      return 0;
    case WM_DPICHANGED: {
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(handle_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      OnDpiChanged(HIWORD(wParam));
      return 0;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (lParam == 0 && id == IDCANCEL) {
        // Esc, from the keyboard navigation.
        if (UsableButton(cancelButton_)) OnCommand(cancelButton_, BN_CLICKED);
        return 0;
      }
      if (lParam == 0 && id == IDOK) {
        // Enter without a usable default button: nothing to press.
        return 0;
      }
      OnCommand(id, HIWORD(wParam));
      return 0;
    }
    default:
      return DefWindowProcW(handle_, message, wParam, lParam);
  }
}

void TWindow::ShowModal() {
  if (!handle_) return;
  const std::vector<HWND> disabled = DisableOtherWindows(handle_);
  inModalLoop_ = true;
  modalEnded_ = false;
  ShowWindow(handle_, SW_SHOW);
  SetForegroundWindow(handle_);

  MSG message;
  while (!modalEnded_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // A quit request belongs to the outer loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0) break;
    platform::win32::DispatchQueued(message);
  }

  // Enabled again before this one hides, so that Windows activates one of them.
  for (HWND window : disabled) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  if (handle_) ShowWindow(handle_, SW_HIDE);
  inModalLoop_ = false;
}

void TWindow::EndModal() {
  modalEnded_ = true;
  // Wakes GetMessage so the loop sees the flag, also when the window is gone.
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

}  // namespace ui::win32
