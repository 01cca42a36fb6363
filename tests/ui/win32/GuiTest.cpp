#include "GuiTest.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include "platform/Messages.h"
#include "platform/win32/MessagePump.h"
#include "platform/win32/WinText.h"
#include "ui/win32/ProgressFrm.h"

namespace guitest {

using platform::win32::Narrow;

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

// The first top-level window of the thread that has the class and passes the test.
HWND FindThreadWindow(DWORD thread, const std::wstring& className,
                      const std::function<bool(HWND)>& test) {
  struct Search {
    const std::wstring& className;
    const std::function<bool(HWND)>& test;
    HWND found = nullptr;
  } search{className, test};
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (lstrcmpiW(ClassOf(window).c_str(), s->className.c_str()) != 0 || !s->test(window)) {
          return TRUE;
        }
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::string TextOf(HWND window) {
  std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1);
  GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return Narrow(text.data());
}

HWND Control(HWND form, int id) { return GetDlgItem(form, id); }

std::string ControlText(HWND form, int id) { return TextOf(Control(form, id)); }

RECT BoundsOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT ClientOf(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

RECT WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

bool IsShown(HWND control) { return (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

std::string HintOf(HWND form, HWND control) {
  HWND tooltip = FindThreadWindow(GetCurrentThreadId(), TOOLTIPS_CLASSW,
                                  [form](HWND w) { return GetWindow(w, GW_OWNER) == form; });
  if (!tooltip) return "";
  std::vector<wchar_t> text(1024);
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  SendMessageW(tooltip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
  return Narrow(text.data());
}

std::string StatusBarText(HWND form) {
  HWND bar = FindWindowExW(form, nullptr, STATUSCLASSNAMEW, nullptr);
  if (!bar) return "<no status bar>";
  // A simple status bar answers for part 0.
  const LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0);
  std::vector<wchar_t> text(static_cast<size_t>(LOWORD(info)) + 1);
  SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
  return Narrow(text.data());
}

int ListRowCount(HWND list) { return ListView_GetItemCount(list); }

int ListVisibleRowCount(HWND list) { return ListView_GetCountPerPage(list); }

std::vector<std::string> ListRows(HWND list, int limit) {
  std::vector<std::string> rows;
  const int count = std::min(limit, ListView_GetItemCount(list));
  std::vector<wchar_t> buffer(200000);
  for (int row = 0; row < count; ++row) {
    buffer[0] = 0;
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    rows.push_back(Narrow(buffer.data()));
  }
  return rows;
}

void SelectRow(HWND list, int row) {
  ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
}

FontFacts FontOf(HWND control) {
  LOGFONTW font{};
  auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  FontFacts facts;
  if (!handle || !GetObjectW(handle, sizeof(font), &font)) return facts;
  facts.face = Narrow(font.lfFaceName);
  facts.height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
  facts.bold = font.lfWeight >= FW_BOLD;
  facts.underline = font.lfUnderline != 0;
  return facts;
}

int DpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpi) return static_cast<int>(getDpi(window));
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

void Pump() { platform::ProcessMessages(); }

void WaitForRefresh() {
  Sleep(ui::win32::TProgressFrm::kRefreshIntervalMs + 30);
  Pump();
}

void PressKey(HWND focus, WPARAM key) {
  MSG message{};
  message.hwnd = focus;
  message.message = WM_KEYDOWN;
  message.wParam = key;
  message.lParam = 1;
  platform::win32::DispatchQueued(message);
  message.message = WM_KEYUP;
  message.lParam = static_cast<LPARAM>(0xC0000001u);
  platform::win32::DispatchQueued(message);
  Pump();
}

void PressAltKey(HWND focus, wchar_t letter) {
  MSG message{};
  message.hwnd = focus;
  message.message = WM_SYSCHAR;
  message.wParam = letter;
  message.lParam = static_cast<LPARAM>(0x20000001u);  // the Alt key is down
  platform::win32::DispatchQueued(message);
  Pump();
}

namespace {
WhenShown* activeWatch = nullptr;
// Generous: the first folder browser of a Wine prefix takes seconds to come up on a busy machine.
constexpr DWORD kGiveUpMs = 20000;
}  // namespace

WhenShown::WhenShown(const wchar_t* className, std::function<void(HWND)> action)
    : className_(className), action_(std::move(action)) {
  activeWatch = this;
  started_ = GetTickCount();
  timer_ = SetTimer(nullptr, 0, 20, &WhenShown::Tick);
}

WhenShown::~WhenShown() {
  if (timer_) KillTimer(nullptr, timer_);
  activeWatch = nullptr;
}

void CALLBACK WhenShown::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (activeWatch) activeWatch->OnTick();
}

void WhenShown::OnTick() {
  HWND found = FindThreadWindow(GetCurrentThreadId(), className_,
                                [](HWND w) { return IsWindowVisible(w) != FALSE; });
  if (found && !acted_) {
    acted_ = true;
    started_ = GetTickCount();
    action_(found);
    return;
  }
  if (GetTickCount() - started_ > kGiveUpMs) {
    failed_ = true;
    KillTimer(nullptr, timer_);
    timer_ = 0;
    if (found) PostMessageW(found, WM_CLOSE, 0, 0);
  }
}

MessageBoxWatcher::MessageBoxWatcher(int button) : button_(button) {
  const DWORD uiThread = GetCurrentThreadId();
  watcher_ = std::thread([this, uiThread] { Watch(uiThread); });
}

MessageBoxWatcher::~MessageBoxWatcher() { Finish(); }

void MessageBoxWatcher::Finish() {
  stop_ = true;
  if (watcher_.joinable()) watcher_.join();
}

void MessageBoxWatcher::Watch(DWORD uiThread) {
  // Long enough for a long run before its question; Finish() ends the watch sooner.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(10);
  while (!stop_ && !seen_ && std::chrono::steady_clock::now() < deadline) {
    // The dialog class of message boxes.
    HWND box =
        FindThreadWindow(uiThread, L"#32770", [](HWND w) { return IsWindowVisible(w) != FALSE; });
    if (box) {
      caption_ = TextOf(box);
      std::string text;
      EnumChildWindows(
          box,
          [](HWND child, LPARAM data) -> BOOL {
            if (lstrcmpiW(ClassOf(child).c_str(), L"Static") == 0) {
              *reinterpret_cast<std::string*>(data) += TextOf(child);
            }
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&text));
      text_ = text;
      seen_ = true;
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
      return;
    }
    Sleep(20);
  }
}

namespace {

LRESULT CALLBACK PlainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

TestMainWindow::TestMainWindow(int left, int top, int width, int height) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = PlainWindowProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"StampelTestMainWindow";
  RegisterClassExW(&windowClass);
  handle_ = CreateWindowExW(0, L"StampelTestMainWindow", L"Main",
                            WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, left, top,
                            width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

TestMainWindow::~TestMainWindow() { DestroyWindow(handle_); }

}  // namespace guitest
