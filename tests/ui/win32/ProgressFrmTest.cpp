#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "GuiTest.h"
#include "engine/pass/Run.h"
#include "ui/DpiScale.h"
#include "ui/win32/ProgressFrm.h"
#include "ui/win32/ProgressFrmRes.h"

namespace {

using guitest::ControlText;
using guitest::ListRows;
using guitest::StatusBarText;
using namespace ui::win32;
namespace id = ui::win32::progress_id;

using Lines = std::vector<std::string>;

int Scaled(HWND window, int designed) { return MulDiv(designed, guitest::DpiOf(window), 96); }

RECT MonitorOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcMonitor;
}

class ProgressFrm : public ::testing::Test {
 protected:
  // What the windows' Stop buttons stop.
  tCancelToken cancel;
};

TEST_F(ProgressFrm, BatchWindowHasItsCaptionAndNoCloseButton) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  HWND window = form.Handle();
  ASSERT_NE(nullptr, window);
  EXPECT_TRUE(form.BatchMode());
  EXPECT_FALSE(IsWindowVisible(window)) << "created hidden";
  EXPECT_EQ("Stampel Progress", guitest::TextOf(window));

  const LONG style = GetWindowLongW(window, GWL_STYLE);
  const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(style & WS_THICKFRAME) << "sizeable";
  EXPECT_FALSE(style & WS_SYSMENU) << "no buttons in the caption bar";
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

  EXPECT_EQ("Files Processed:", ControlText(window, id::FileNoLbl));
  EXPECT_EQ("0", ControlText(window, id::FileNoEdit));
  EXPECT_EQ("&Stop", ControlText(window, id::StopBtn));
  EXPECT_EQ("&Close", ControlText(window, id::CloseBtn));
  EXPECT_TRUE(guitest::IsShown(guitest::Control(window, id::StopBtn)));
  EXPECT_FALSE(guitest::IsShown(guitest::Control(window, id::CloseBtn)));
}

TEST_F(ProgressFrm, BatchWindowKeepsItsDesignedSizeAndPlace) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  const RECT r = guitest::WindowRectOf(form.Handle());
  EXPECT_EQ(Scaled(form.Handle(), 544), r.left);
  EXPECT_EQ(Scaled(form.Handle(), 352), r.top);
  EXPECT_EQ(Scaled(form.Handle(), 737), r.right - r.left);
  EXPECT_EQ(Scaled(form.Handle(), 388), r.bottom - r.top);
}

TEST_F(ProgressFrm, CountEditIsReadOnlyBoldAndRightAligned) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  HWND edit = guitest::Control(form.Handle(), id::FileNoEdit);
  const LONG style = GetWindowLongW(edit, GWL_STYLE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_TRUE(style & ES_RIGHT);
  EXPECT_TRUE(GetWindowLongW(edit, GWL_EXSTYLE) & WS_EX_RTLREADING);
  EXPECT_TRUE(guitest::FontOf(edit).bold);
  EXPECT_FALSE(guitest::FontOf(guitest::Control(form.Handle(), id::FileNoLbl)).bold);
  const RECT bounds = guitest::BoundsOf(edit);
  EXPECT_EQ(Scaled(form.Handle(), 53), bounds.right - bounds.left);
}

TEST_F(ProgressFrm, ControlsUseTheNamedFontOrTheDialogFont) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  const guitest::FontFacts font = guitest::FontOf(guitest::Control(form.Handle(), id::StopBtn));
  EXPECT_EQ(ui::FontPixelHeight(8, guitest::DpiOf(form.Handle())), font.height)
      << "8 points: 11 pixels at 96 DPI";
  EXPECT_FALSE(font.face.empty());
}

TEST_F(ProgressFrm, NewestLineComesFirstAndTheCountAddsUp) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  HWND window = form.Handle();
  form.AddLine("C:\\a\\IMG_1.JPG --> C:\\a\\2008-06-15-10-00-00_IMG_1.JPG", 1);
  form.AddLine("C:\\a\\IMG_2.JPG --> C:\\a\\2008-06-15-10-00-01_IMG_2.JPG", 1);
  form.AddAlertLine("C:\\a\\notes.txt: no date", 0);

  EXPECT_EQ((Lines{"C:\\a\\notes.txt: no date",
                   "C:\\a\\IMG_2.JPG --> C:\\a\\2008-06-15-10-00-01_IMG_2.JPG",
                   "C:\\a\\IMG_1.JPG --> C:\\a\\2008-06-15-10-00-00_IMG_1.JPG"}),
            ListRows(guitest::Control(window, id::ProgressMemo)));
  EXPECT_EQ("2", ControlText(window, id::FileNoEdit));
  EXPECT_EQ(2u, form.ProcessedCount());
  EXPECT_EQ("C:\\a\\notes.txt: no date", StatusBarText(window));
}

TEST_F(ProgressFrm, ScreenCatchesUpWithABurstOfLines) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  form.Show();
  for (int i = 1; i <= 50; ++i) form.AddLine("file " + std::to_string(i), 1);
  EXPECT_EQ(50u, form.ProcessedCount());
  guitest::WaitForRefresh();
  EXPECT_EQ("50", ControlText(form.Handle(), id::FileNoEdit));
  EXPECT_EQ("file 50", StatusBarText(form.Handle()));
  const Lines rows = ListRows(guitest::Control(form.Handle(), id::ProgressMemo));
  ASSERT_EQ(50u, rows.size());
  EXPECT_EQ("file 50", rows.front());
  EXPECT_EQ("file 1", rows.back());
}

// A reader from outside sees one state: the first row is the status, and its number is
// the count, also while the screen is still catching up with a burst.
TEST_F(ProgressFrm, CountStatusAndListAgreeAtEveryMoment) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  form.Show();
  HWND list = guitest::Control(form.Handle(), id::ProgressMemo);
  int looked = 0;
  for (int i = 1; i <= 3000; ++i) {
    form.AddLine("Stampel " + std::to_string(i) + ": a.jpg -> b.jpg", 1);
    if (i % 97 != 0) continue;
    ++looked;
    const std::string count = ControlText(form.Handle(), id::FileNoEdit);
    const std::string status = StatusBarText(form.Handle());
    const Lines top = ListRows(list, 1);
    if (count == "0") {  // nothing shown yet
      EXPECT_TRUE(top.empty() && status.empty()) << i;
      continue;
    }
    ASSERT_EQ(1u, top.size());
    EXPECT_EQ(status, top[0]) << i;
    EXPECT_EQ("Stampel " + count + ": a.jpg -> b.jpg", status) << i;
    EXPECT_EQ(std::stoi(count), guitest::ListRowCount(list)) << i;
  }
  EXPECT_EQ(30, looked);
}

TEST_F(ProgressFrm, LineAfterAQuietSpellShowsAtOnce) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  form.Show();
  form.AddLine("first", 1);
  guitest::WaitForRefresh();
  Sleep(TProgressFrm::kRefreshIntervalMs + 30);
  form.AddLine("second", 1);
  EXPECT_EQ("2", ControlText(form.Handle(), id::FileNoEdit));
  EXPECT_EQ("second", StatusBarText(form.Handle()));
}

TEST_F(ProgressFrm, ClearStatusEmptiesOnlyTheStatusBar) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  form.AddLine("one", 1);
  form.ClearStatus();
  EXPECT_EQ("", StatusBarText(form.Handle()));
  EXPECT_EQ("1", ControlText(form.Handle(), id::FileNoEdit));
  EXPECT_EQ(Lines{"one"}, ListRows(guitest::Control(form.Handle(), id::ProgressMemo)));
}

TEST_F(ProgressFrm, CountNeverResetsAcrossPasses) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  form.AddLine("first pass", 1);
  form.ClearStatus();
  form.Hide();
  form.Show();
  form.AddLine("second pass", 1);
  guitest::WaitForRefresh();
  EXPECT_EQ("2", ControlText(form.Handle(), id::FileNoEdit));
  EXPECT_EQ(2u, ListRows(guitest::Control(form.Handle(), id::ProgressMemo)).size());
}

TEST_F(ProgressFrm, UnicodeAndVeryLongLinesArriveWhole) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  const std::string longLine = "C:\\" + std::string(5000, 'd') + "\\\xE6\x97\xA5\xE6\x9C\xAC.jpg";
  form.AddLine(longLine, 1);
  form.AddLine("Caf\xC3\xA9.jpg", 1);
  guitest::WaitForRefresh();
  const Lines rows = ListRows(guitest::Control(form.Handle(), id::ProgressMemo));
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ("Caf\xC3\xA9.jpg", rows[0]);
  EXPECT_EQ(longLine, rows[1]);
}

TEST_F(ProgressFrm, StopStopsTheRunAndSaysStopped) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  form.Show();
  form.AddLine("a --> b", 1);
  SendMessageW(guitest::Control(form.Handle(), id::StopBtn), BM_CLICK, 0, 0);
  EXPECT_TRUE(cancel.Stopped());
  EXPECT_EQ((Lines{"Stopped...", "a --> b"}),
            ListRows(guitest::Control(form.Handle(), id::ProgressMemo)));
  EXPECT_EQ("1", ControlText(form.Handle(), id::FileNoEdit)) << "Stop leaves the count alone";
  EXPECT_EQ("Stopped...", StatusBarText(form.Handle()));
}

TEST_F(ProgressFrm, StopClickedDuringAPassActsWhileTheNextLineIsAdded) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  form.Show();
  // The click waits in the queue, as a real one does while the pass works on a file.
  PostMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(id::StopBtn, BN_CLICKED),
               reinterpret_cast<LPARAM>(guitest::Control(form.Handle(), id::StopBtn)));
  EXPECT_FALSE(cancel.Stopped());
  form.AddLine("current --> file", 1);
  EXPECT_TRUE(cancel.Stopped()) << "the pass sees it before its next file";
  EXPECT_EQ((Lines{"Stopped...", "current --> file"}),
            ListRows(guitest::Control(form.Handle(), id::ProgressMemo)));
}

TEST_F(ProgressFrm, AlertLinePausesAndPlainLineDoesNot) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  const auto timed = [](auto action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
  };
  // A busy machine makes a call slower, never a pause shorter: only the alert's is timed.
  EXPECT_GE(timed([&] { form.AddAlertLine("skipped", 0); }), 40);
  EXPECT_EQ(1, form.AlertPauses());
  form.AddLine("moved", 1);
  EXPECT_EQ(1, form.AlertPauses()) << "a plain line paused";
}

TEST_F(ProgressFrm, HintsOfTheButtons) {
  guitest::TestMainWindow main(100, 100, 400, 300);
  TProgressFrm form(&main);
  form.SetStopTarget(&cancel);
  EXPECT_EQ("stop processing",
            guitest::HintOf(form.Handle(), guitest::Control(form.Handle(), id::StopBtn)));
  EXPECT_EQ("close this screen",
            guitest::HintOf(form.Handle(), guitest::Control(form.Handle(), id::CloseBtn)));
}

TEST_F(ProgressFrm, StandsRightOfTheMainWindowAndTakesItsHeight) {
  guitest::TestMainWindow main(50, 60, 300, 200);
  TProgressFrm form(&main);
  form.SetStopTarget(&cancel);
  EXPECT_FALSE(form.BatchMode());
  const RECT mainRect = guitest::WindowRectOf(main.MainWindowHandle());
  const RECT monitor = MonitorOf(main.MainWindowHandle());
  const RECT r = guitest::WindowRectOf(form.Handle());
  const int width = Scaled(form.Handle(), 737);
  EXPECT_EQ(width, r.right - r.left);
  EXPECT_EQ(mainRect.bottom - mainRect.top, r.bottom - r.top);
  EXPECT_EQ(mainRect.top, r.top);
  if (mainRect.right + width <= monitor.right) {
    EXPECT_EQ(mainRect.right, r.left);
  } else {
    EXPECT_EQ(monitor.right, r.right);
  }
  EXPECT_TRUE(guitest::IsShown(guitest::Control(form.Handle(), id::CloseBtn)));
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST_F(ProgressFrm, NearTheRightEdgeItIsPulledBackToTheEdge) {
  const RECT monitor = MonitorOf(GetDesktopWindow());
  guitest::TestMainWindow main(monitor.right - 220, monitor.top + 20, 200, 150);
  TProgressFrm form(&main);
  form.SetStopTarget(&cancel);
  const RECT r = guitest::WindowRectOf(form.Handle());
  EXPECT_EQ(monitor.right, r.right);
  EXPECT_EQ(guitest::WindowRectOf(main.MainWindowHandle()).top, r.top);
}

TEST_F(ProgressFrm, NearTheBottomEdgeItIsPulledUpToTheEdge) {
  const RECT monitor = MonitorOf(GetDesktopWindow());
  guitest::TestMainWindow main(monitor.left + 10, monitor.bottom - 100, 120, 300);
  TProgressFrm form(&main);
  form.SetStopTarget(&cancel);
  const RECT r = guitest::WindowRectOf(form.Handle());
  EXPECT_EQ(monitor.bottom, r.bottom);
  EXPECT_EQ(300, r.bottom - r.top) << "as high as the main window";
}

TEST_F(ProgressFrm, CloseAtTheRightStopLeftOfItAfterEveryResize) {
  guitest::TestMainWindow main(10, 10, 300, 400);
  TProgressFrm form(&main);
  form.SetStopTarget(&cancel);
  HWND window = form.Handle();
  for (int width : {500, 737, 1000}) {
    SetWindowPos(window, nullptr, 0, 0, width, 420, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT client = guitest::ClientOf(window);
    const RECT close = guitest::BoundsOf(guitest::Control(window, id::CloseBtn));
    const RECT stop = guitest::BoundsOf(guitest::Control(window, id::StopBtn));
    EXPECT_EQ(client.right - Scaled(window, 6) - Scaled(window, 4), close.right) << width;
    EXPECT_EQ(close.left - Scaled(window, 8), stop.right) << width;
    EXPECT_EQ(Scaled(window, 97), close.right - close.left);
    EXPECT_EQ(Scaled(window, 29), close.bottom - close.top);
    EXPECT_EQ(stop.top, close.top);
    const RECT list = guitest::BoundsOf(guitest::Control(window, id::ProgressMemo));
    EXPECT_EQ(client.right - 2 * Scaled(window, 6), list.right - list.left) << width;
    const RECT status = guitest::BoundsOf(guitest::Control(window, id::StatusBar));
    EXPECT_EQ(client.bottom - Scaled(window, 6), status.bottom);
  }
}

TEST_F(ProgressFrm, InBatchModeStopTakesThePlaceOfClose) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  HWND window = form.Handle();
  SetWindowPos(window, nullptr, 0, 0, 600, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT client = guitest::ClientOf(window);
  const RECT stop = guitest::BoundsOf(guitest::Control(window, id::StopBtn));
  EXPECT_EQ(client.right - Scaled(window, 6) - Scaled(window, 4), stop.right);
}

TEST_F(ProgressFrm, MovingToAMonitorWithAnotherDpiScalesEverything) {
  guitest::TestMainWindow main(10, 10, 300, 400);
  TProgressFrm form(&main);
  form.SetStopTarget(&cancel);
  HWND window = form.Handle();
  RECT suggested{100, 50, 100 + 1106, 50 + 582};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  const RECT r = guitest::WindowRectOf(window);
  EXPECT_EQ(100, r.left);
  EXPECT_EQ(1106, r.right - r.left);
  const RECT client = guitest::ClientOf(window);
  const RECT close = guitest::BoundsOf(guitest::Control(window, id::CloseBtn));
  EXPECT_EQ(146, close.right - close.left) << "97 pixels at 150 percent";
  EXPECT_EQ(44, close.bottom - close.top);
  EXPECT_EQ(client.right - 9 - 6, close.right);
  EXPECT_EQ(16, guitest::FontOf(guitest::Control(window, id::StopBtn)).height);
  const RECT edit = guitest::BoundsOf(guitest::Control(window, id::FileNoEdit));
  EXPECT_EQ(9 + 144, edit.left);
  EXPECT_EQ(80, edit.right - edit.left);
}

TEST_F(ProgressFrm, ShowingAndHidingFlipsTheMainWindowsButton) {
  guitest::TestMainWindow main(10, 10, 300, 200);
  TProgressFrm form(&main);
  form.SetStopTarget(&cancel);
  EXPECT_FALSE(form.Visible());
  form.Show();
  EXPECT_TRUE(form.Visible());
  ASSERT_FALSE(main.captions.empty());
  EXPECT_EQ("Hide Progress", main.captions.back());
  SendMessageW(guitest::Control(form.Handle(), id::CloseBtn), BM_CLICK, 0, 0);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ("Show Progress", main.captions.back());
  form.Show();
  EXPECT_EQ("Hide Progress", main.captions.back());
  form.Hide();
  EXPECT_EQ("Show Progress", main.captions.back());
}

TEST_F(ProgressFrm, EnterAndEscapeCloseTheInteractiveWindow) {
  guitest::TestMainWindow main(10, 10, 300, 200);
  TProgressFrm form(&main);
  form.SetStopTarget(&cancel);
  for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    form.Show();
    HWND list = guitest::Control(form.Handle(), id::ProgressMemo);
    SetFocus(list);
    guitest::PressKey(list, key);
    EXPECT_FALSE(IsWindowVisible(form.Handle())) << key;
  }
}

TEST_F(ProgressFrm, CloseButtonHasTheFocusWhenShown) {
  guitest::TestMainWindow main(10, 10, 300, 200);
  TProgressFrm form(&main);
  form.SetStopTarget(&cancel);
  form.Show();
  guitest::Pump();
  EXPECT_EQ(guitest::Control(form.Handle(), id::CloseBtn), GetFocus());
}

TEST_F(ProgressFrm, AltSPressesStop) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  form.Show();
  HWND list = guitest::Control(form.Handle(), id::ProgressMemo);
  SetFocus(list);
  guitest::PressAltKey(list, 's');
  EXPECT_TRUE(cancel.Stopped());
  EXPECT_EQ(Lines{"Stopped..."}, ListRows(list));
}

TEST_F(ProgressFrm, BatchWindowCannotBeClosed) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  form.Show();
  HWND list = guitest::Control(form.Handle(), id::ProgressMemo);
  SetFocus(list);
  guitest::PressKey(list, VK_ESCAPE);
  guitest::PressKey(list, VK_RETURN);
  SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  EXPECT_FALSE(cancel.Stopped()) << "Enter on the list presses nothing";
}

TEST_F(ProgressFrm, HiddenWindowStillCollectsLines) {
  guitest::TestMainWindow main(10, 10, 300, 200);
  TProgressFrm form(&main);
  form.SetStopTarget(&cancel);
  ASSERT_FALSE(IsWindowVisible(form.Handle()));
  form.AddLine("x --> y", 1);
  form.AddAlertLine("z: skipped", 0);
  EXPECT_EQ("1", ControlText(form.Handle(), id::FileNoEdit));
  EXPECT_EQ((Lines{"z: skipped", "x --> y"}),
            ListRows(guitest::Control(form.Handle(), id::ProgressMemo)));
}

TEST_F(ProgressFrm, CtrlCCopiesTheSelectedLines) {
  TProgressFrm form(nullptr);
  form.SetStopTarget(&cancel);
  form.Show();
  form.AddLine("old", 1);
  form.AddLine("middle", 1);
  form.AddLine("new", 1);
  guitest::WaitForRefresh();
  HWND list = guitest::Control(form.Handle(), id::ProgressMemo);
  guitest::SelectRow(list, 0);
  guitest::SelectRow(list, 2);
  SetFocus(list);

  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(list, WM_KEYDOWN, 'C', 1);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);

  ASSERT_TRUE(OpenClipboard(form.Handle()));
  std::wstring copied;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    copied = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  EXPECT_EQ(L"new\r\nold\r\n", copied);
}

}  // namespace
