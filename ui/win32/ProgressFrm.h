#pragma once

#include <cstdint>
#include <string>

#include "engine/pass/Run.h"
#include "ui/ProgressLog.h"
#include "ui/ProgressSink.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Hints.h"
#include "ui/win32/LineList.h"
#include "ui/win32/MainWindowLink.h"
#include "ui/win32/Window.h"

namespace ui::win32 {

// The progress window: the rename pass's lines, newest first, the number of files
// processed, the latest line in the status bar, and the Stop button that ends the pass
// after the current file. One exists per process; it is created hidden.
class TProgressFrm final : public ui::tProgressSink, public TWindow {
 public:
  // With a main window: placed beside it and as high as it, with a Close button. Without
  // one (batch mode): at its designed place, Stop where Close would be, and no way to
  // close it; it goes when the program ends.
  explicit TProgressFrm(MainWindowLink* mainWindow);

  void AddLine(const std::string& text, int32_t increment) override;
  // AddLine with the critical-stop sound and a pause of 42 ms, for files skipped or failed.
  void AddAlertLine(const std::string& text, int32_t increment) override;
  void ClearStatus() override;

  // Visible and brought to the front.
  void Show();
  // The count, the status and the list show the latest state at once. Otherwise they
  // follow the lines at most kRefreshIntervalMs later: repainting per line would cost
  // more than the rename itself (a repaint under Wine and Xvfb takes about 12 ms, so four
  // a second keep a long run's cost of the window near 5%).
  void RefreshNow();
  static constexpr unsigned kRefreshIntervalMs = 250;
  void Hide();

  // Batch mode after /L or /U: the Close button comes back, and the window stays until
  // the user closes it.
  void WaitUntilClosed();

  bool BatchMode() const { return mainWindow_ == nullptr; }
  bool CloseOffered() const { return !BatchMode() || closeOffered_; }
  uint32_t ProcessedCount() const { return log_.ProcessedCount(); }
  // How often an alert line has sounded and paused, and how many rows the list painted.
  int AlertPauses() const { return alertPauses_; }
  size_t RowsPainted() const { return ProgressMemo.RowsPainted(); }
  const ui::ProgressLog& Lines() const { return log_; }

  // The run that Stop stops (the path pattern under way); nullptr between runs.
  void SetStopTarget(tCancelToken* token) { stopTarget_ = token; }

  // The buttons' handlers.
  void StopBtnClick();
  void CloseBtnClick();

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(int id, int code) override;
  void OnDpiChanged(int dpi) override;

  void FormCreate();
  void FormShow();
  void FormHide();
  void FormResize();

  void CreateControls();
  void PlaceBesideMainWindow();
  // Fonts and designed sizes for the DPI of the window's monitor.
  void ApplyDpi(int dpi);
  void RefreshSoon();
  void PaintFrame();

  MainWindowLink* mainWindow_;
  tCancelToken* stopTarget_ = nullptr;
  int alertPauses_ = 0;
  bool closeOffered_ = false;
  ui::ProgressLog log_;
  int dpi_ = 96;
  ULONGLONG lastRefresh_ = 0;  // GetTickCount64 of the last RefreshNow
  bool refreshPending_ = false;
  std::string shownCount_;
  std::string shownStatus_;
  TFont font_;
  TFont boldFont_;
  THints hints_;

  TLabel FileNoLbl;
  TEdit FileNoEdit;
  TLineList ProgressMemo;
  TButton StopBtn;
  TButton CloseBtn;
  TStatusBar StatusBar;
};

}  // namespace ui::win32
