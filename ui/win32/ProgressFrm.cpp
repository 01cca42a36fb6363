#include "ui/win32/ProgressFrm.h"

#include <commctrl.h>

#include <utility>

#include "platform/Messages.h"
#include "ui/ProgressLayout.h"
#include "ui/ProgressTexts.h"
#include "ui/win32/Bevel.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/ProgressFrmRes.h"

namespace ui::win32 {

namespace {

constexpr wchar_t kClassName[] = L"StampelProgress";
// A sizeable tool window with no buttons in its caption bar.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr double kFontPoints = 8;
constexpr wchar_t kFontFace[] = L"MS Sans Serif";
// The system's critical-stop sound, MB_ICONHAND.
constexpr UINT kCriticalStopSound = 16;
constexpr DWORD kAlertPauseMs = 42;
constexpr UINT_PTR kRefreshTimer = 1;

}  // namespace

TProgressFrm::TProgressFrm(MainWindowLink* mainWindow) : mainWindow_(mainWindow) { FormCreate(); }

void TProgressFrm::FormCreate() {
  // Batch mode keeps the designed place; in a window of its own it also shows in the
  // task bar, so it can be found again while a long batch runs.
  const DWORD exStyle =
      WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT | (BatchMode() ? WS_EX_APPWINDOW : 0);
  const RECT designed = ToRECT(ui::kProgressDesignBounds);
  const ui::Rect bounds = ui::ScaleToDpi(ui::kProgressDesignBounds, DpiOfRect(designed));
  CreateWindowOfClass(kClassName, exStyle, kStyle, ui::kProgressCaption, bounds.left, bounds.top,
                      bounds.width, bounds.height, nullptr);
  CreateControls();
  ApplyDpi(DpiOfWindow(Handle()));

  RefreshNow();
  if (BatchMode()) {
    CloseBtn.SetVisible(false);
    SetFocusControl(ProgressMemo.Handle());
  } else {
    SetFocusControl(CloseBtn.Handle());
    SetDefaultButton(progress_id::CloseBtn);
    SetCancelButton(progress_id::CloseBtn);
    PlaceBesideMainWindow();
  }
  FormResize();
}

void TProgressFrm::CreateControls() {
  HWND form = Handle();
  FileNoLbl.Create(form, progress_id::FileNoLbl, ui::kFilesProcessedCaption);
  // The number stands at the right end of the box.
  FileNoEdit.Create(form, progress_id::FileNoEdit, ES_READONLY | ES_RIGHT, WS_EX_RTLREADING);
  ProgressMemo.Create(form, progress_id::ProgressMemo, log_);
  StopBtn.Create(form, progress_id::StopBtn, ui::kStopCaption);
  CloseBtn.Create(form, progress_id::CloseBtn, ui::kCloseCaption, true);
  StatusBar.Create(form, progress_id::StatusBar);

  hints_.Create(form);
  hints_.Add(StopBtn.Handle(), ui::kStopHint);
  hints_.Add(CloseBtn.Handle(), ui::kCloseHint);
}

void TProgressFrm::ApplyDpi(int dpi) {
  dpi_ = dpi;
  // The old fonts go only after no control and no DC holds them any more.
  TFont font = CreateUiFont({kFontFace, kFontPoints, false, false}, dpi);
  TFont boldFont = CreateUiFont({kFontFace, kFontPoints, true, false}, dpi);
  FileNoLbl.SetFont(font.Handle());
  FileNoLbl.Fit();
  FileNoEdit.SetFont(boldFont.Handle());
  ProgressMemo.SetListFont(font.Handle(), dpi);
  StopBtn.SetFont(font.Handle());
  CloseBtn.SetFont(font.Handle());
  StatusBar.SetFont(font.Handle());
  font_ = std::move(font);
  boldFont_ = std::move(boldFont);
}

void TProgressFrm::PlaceBesideMainWindow() {
  HWND main = mainWindow_->MainWindowHandle();
  RECT mainRect;
  if (!main || !GetWindowRect(main, &mainRect)) return;
  const int dpi = DpiOfWindow(main);
  if (dpi != dpi_) ApplyDpi(dpi);
  const int ownWidth = ui::ScaleToDpi(ui::kProgressDesignBounds.width, dpi);
  const ui::Rect placed =
      ui::PlaceBesideMainWindow(ToRect(mainRect), ownWidth, ToRect(MonitorRectOf(mainRect)));
  SetWindowPos(Handle(), nullptr, placed.left, placed.top, placed.width, placed.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TProgressFrm::FormResize() {
  // Windows sizes the window once before its controls exist.
  if (!StatusBar.Handle()) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  const ui::ProgressControlBounds bounds =
      ui::LayOutProgressControls(client.right, client.bottom, dpi_, CloseOffered());
  const ui::Rect label = FileNoLbl.Bounds();
  FileNoLbl.SetBounds({bounds.fileNoLbl.left, bounds.fileNoLbl.top, label.width, label.height});
  FileNoEdit.SetBounds(bounds.fileNoEdit);
  ProgressMemo.SetBounds(bounds.progressList);
  ProgressMemo.FitColumn();
  StopBtn.SetBounds(bounds.stopBtn);
  if (CloseOffered()) CloseBtn.SetBounds(bounds.closeBtn);
  StatusBar.SetBounds(bounds.statusBar);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TProgressFrm::PaintFrame() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT client;
  GetClientRect(Handle(), &client);
  // A sunken double bevel with a border between the two bevels.
  const int bevel = ui::ScaleToDpi(ui::kProgressBevelWidth, dpi_);
  DrawLoweredBevel(dc, client, bevel);
  InflateRect(&client, -2 * bevel, -2 * bevel);
  DrawLoweredBevel(dc, client, bevel);
  EndPaint(Handle(), &paint);
}

void TProgressFrm::RefreshNow() {
  if (refreshPending_) KillTimer(Handle(), kRefreshTimer);
  refreshPending_ = false;
  lastRefresh_ = GetTickCount64();
  if (log_.ProcessedText() != shownCount_) {
    shownCount_ = log_.ProcessedText();
    FileNoEdit.SetText(shownCount_);
  }
  if (log_.Status() != shownStatus_) {
    shownStatus_ = log_.Status();
    StatusBar.SetStatusText(shownStatus_);
  }
  ProgressMemo.Sync();
}

void TProgressFrm::RefreshSoon() {
  const ULONGLONG since = GetTickCount64() - lastRefresh_;
  if (since >= kRefreshIntervalMs) {
    RefreshNow();
  } else if (!refreshPending_) {
    // The timer brings the screen up to date when no later line does.
    refreshPending_ = SetTimer(Handle(), kRefreshTimer,
                               static_cast<UINT>(kRefreshIntervalMs - since), nullptr) != 0;
    if (!refreshPending_) RefreshNow();
  }
}

void TProgressFrm::AddLine(const std::string& text, int32_t increment) {
  log_.Add(text, increment);
  RefreshSoon();
  platform::ProcessMessages();
}

void TProgressFrm::AddAlertLine(const std::string& text, int32_t increment) {
  log_.Add(text, increment);
  // The pause that follows leaves time to show it at once.
  RefreshNow();
  MessageBeep(kCriticalStopSound);
  platform::ProcessMessages();
  ++alertPauses_;
  Sleep(kAlertPauseMs);
}

void TProgressFrm::ClearStatus() {
  log_.ClearStatus();
  // The pass has ended: its last state shows now.
  RefreshNow();
}

void TProgressFrm::Show() {
  RefreshNow();
  ShowWindow(Handle(), SW_SHOW);
  BringWindowToTop(Handle());
  SetForegroundWindow(Handle());
}

void TProgressFrm::Hide() { ShowWindow(Handle(), SW_HIDE); }

void TProgressFrm::StopBtnClick() {
  // The pass sees the request before its next file and ends there.
  if (stopTarget_ != nullptr) stopTarget_->StopPattern();
  AddAlertLine(ui::kStoppedLine, 0);
}

void TProgressFrm::CloseBtnClick() {
  Hide();
  if (closeOffered_) EndModal();
}

void TProgressFrm::WaitUntilClosed() {
  closeOffered_ = true;
  CloseBtn.SetVisible(true);
  SetDefaultButton(progress_id::CloseBtn);
  SetCancelButton(progress_id::CloseBtn);
  SetFocusControl(CloseBtn.Handle());
  FormResize();
  RefreshNow();
  ShowModal();
}

void TProgressFrm::OnDpiChanged(int dpi) {
  ApplyDpi(dpi);
  FormResize();
}

void TProgressFrm::FormShow() {
  if (mainWindow_) mainWindow_->SetShowProgressCaption(ui::ShowProgressCaption(true));
}

void TProgressFrm::FormHide() {
  if (mainWindow_) mainWindow_->SetShowProgressCaption(ui::ShowProgressCaption(false));
}

void TProgressFrm::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == progress_id::StopBtn) StopBtnClick();
  if (id == progress_id::CloseBtn && CloseOffered()) CloseBtnClick();
}

LRESULT TProgressFrm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      // lParam is set when the change comes from an owner or a minimise, not from us.
      if (lParam == 0) wParam ? FormShow() : FormHide();
      break;
    case WM_SIZE:
      FormResize();
      return 0;
    case WM_TIMER:
      if (wParam == kRefreshTimer) {
        RefreshNow();
        return 0;
      }
      break;
    case WM_PAINT:
      PaintFrame();
      return 0;
    case WM_CLOSE:
      // Alt+F4: hides the window like its Close button; in batch mode it stays.
      if (CloseOffered()) CloseBtnClick();
      return 0;
    case WM_CTLCOLORSTATIC:
      // The read-only count box keeps the background of an edit box.
      if (reinterpret_cast<HWND>(lParam) == FileNoEdit.Handle()) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      LRESULT result = 0;
      if (header.hwndFrom == ProgressMemo.Handle() && ProgressMemo.HandleNotify(header, result)) {
        return result;
      }
      break;
    }
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace ui::win32
