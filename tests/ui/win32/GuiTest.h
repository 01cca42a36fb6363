#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/WinApi.h"
#include "ui/win32/MainWindowLink.h"

// Helpers for the tests that create windows in this process and drive them with messages.
namespace guitest {

std::string TextOf(HWND window);
HWND Control(HWND form, int id);
std::string ControlText(HWND form, int id);
// A control's rectangle in its parent's client area.
RECT BoundsOf(HWND control);
RECT ClientOf(HWND window);
RECT WindowRectOf(HWND window);
bool IsShown(HWND control);
// The hint the form's tooltip holds for the control, or empty text.
std::string HintOf(HWND form, HWND control);
// The text of the form's status bar.
std::string StatusBarText(HWND form);
// The rows of a list view, top to bottom (at most limit of them), each read whole.
std::vector<std::string> ListRows(HWND list, int limit = 1000);
int ListRowCount(HWND list);
// Rows the list shows at once.
int ListVisibleRowCount(HWND list);
// Selects one more row of a list view.
void SelectRow(HWND list, int row);
// The face, pixel height, weight and underline of the control's font.
struct FontFacts {
  std::string face;
  int height = 0;
  bool bold = false;
  bool underline = false;
};
FontFacts FontOf(HWND control);
// The DPI the window is shown at.
int DpiOf(HWND window);

// Lets the waiting messages run.
void Pump();
// Waits until the progress window's screen has caught up with its lines.
void WaitForRefresh();
// A key press sent through the program's message routing, as the keyboard would.
void PressKey(HWND focus, WPARAM key);
// Alt and a letter, as the keyboard sends it.
void PressAltKey(HWND focus, wchar_t letter);

// Acts inside a modal loop: calls action once, on this thread, as soon as a visible
// top-level window of this thread with the given class appears. If the window is still
// there 20 seconds later (or never came), it is closed and Failed() tells so, so that a
// broken dialog cannot hang the tests.
class WhenShown {
 public:
  WhenShown(const wchar_t* className, std::function<void(HWND)> action);
  ~WhenShown();
  bool Acted() const { return acted_; }
  bool Failed() const { return failed_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();

  const wchar_t* className_;
  std::function<void(HWND)> action_;
  UINT_PTR timer_ = 0;
  DWORD started_ = 0;
  bool acted_ = false;
  bool failed_ = false;
};

// Watches, from a helper thread, for the message box that this thread is about to show,
// notes its caption and text and presses its button (OK, or IDYES, IDNO...).
class MessageBoxWatcher {
 public:
  explicit MessageBoxWatcher(int button = IDOK);
  // Waits for the helper thread.
  ~MessageBoxWatcher();
  // Call after the code that showed the box returned.
  void Finish();
  bool Seen() const { return seen_; }
  const std::string& Caption() const { return caption_; }
  const std::string& Text() const { return text_; }

 private:
  void Watch(DWORD uiThread);

  int button_;
  std::thread watcher_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> seen_{false};
  std::string caption_;
  std::string text_;
};

// A plain window that stands where a main window would and records the captions the
// progress window gives its Show Progress button.
class TestMainWindow : public ui::win32::MainWindowLink {
 public:
  TestMainWindow(int left, int top, int width, int height);
  ~TestMainWindow() override;
  HWND MainWindowHandle() const override { return handle_; }
  void SetShowProgressCaption(const std::string& caption) override { captions.push_back(caption); }

  std::vector<std::string> captions;

 private:
  HWND handle_ = nullptr;
};

}  // namespace guitest
