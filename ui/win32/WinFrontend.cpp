#include "ui/win32/WinFrontend.h"

#include "engine/Progress.h"
#include "ui/win32/ErrorBox.h"
#include "ui/win32/VersionFrm.h"

namespace ui::win32 {

void WinFrontend::ShowBatchProgress() {
  if (!progress_) {
    progress_ = std::make_unique<TProgressFrm>(nullptr);
    SetProgressWindow(progress_.get());
  }
  progress_->Show();
}

void WinFrontend::WaitForProgressClose() {
  if (progress_) progress_->WaitUntilClosed();
}

void WinFrontend::ShowUsage() {
  if (progress_) progress_->Hide();
  TVersionFrm(nullptr).Execute();
}

int WinFrontend::RunInteractive() {
  // The main window is not there yet; the about window tells how the program is used.
  TVersionFrm(nullptr).Execute();
  return 0;
}

void WinFrontend::ReportFailure(const std::string& message) { ShowErrorBox(message); }

TProgressFrm& WinFrontend::CreateProgressWindow(MainWindowLink& mainWindow) {
  DestroyProgressWindow();
  progress_ = std::make_unique<TProgressFrm>(&mainWindow);
  SetProgressWindow(progress_.get());
  return *progress_;
}

void WinFrontend::DestroyProgressWindow() {
  if (ProgressWindow() == progress_.get()) SetProgressWindow(nullptr);
  progress_.reset();
}

WinFrontend& WindowsFrontend() {
  static WinFrontend frontend;
  return frontend;
}

}  // namespace ui::win32

tFrontend& Frontend() { return ui::win32::WindowsFrontend(); }
