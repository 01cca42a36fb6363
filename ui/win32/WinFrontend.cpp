#include "ui/win32/WinFrontend.h"

#include "platform/win32/MessagePump.h"
#include "settings/Translations.h"
#include "ui/win32/ErrorBox.h"
#include "ui/win32/StampelFrm.h"
#include "ui/win32/VersionFrm.h"

namespace ui::win32 {

void WinFrontend::ShowBatchProgress() {
  if (!progress_) {
    progress_ = std::make_unique<TProgressFrm>(nullptr);
    progress_->SetStopTarget(&cancel_);
    lines_.SetSink(progress_.get());
  }
  progress_->Show();
}

tRunEvents& WinFrontend::BatchEvents(const tRunOptions&) { return lines_; }

int WinFrontend::BatchDone(const tRunResult& result) {
  if (result.Failure.empty()) return 0;
  ReportFailure(result.Failure);
  return 1;
}

void WinFrontend::WaitForProgressClose() {
  if (progress_) progress_->WaitUntilClosed();
}

void WinFrontend::ShowUsage() {
  if (progress_) progress_->Hide();
  TVersionFrm(nullptr).Execute();
}

int WinFrontend::RunInteractive(const tReaderOptions& readers, const std::string& folder) {
  // The main window first: the progress window places itself beside it.
  TStampelFrm main(SettingsStore, readers);
  if (!folder.empty()) main.Presenter().OpenAtFolder(folder);
  main.SetProgressForm(&CreateProgressWindow(main));
  main.SetOnClosed([] { PostQuitMessage(0); });
  main.Show();

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) platform::win32::DispatchQueued(message);

  // The main window saves its choices as it goes, while the settings are still open.
  main.SetProgressForm(nullptr);
  DestroyProgressWindow();
  return 0;
}

void WinFrontend::ReportFailure(const std::string& message) { ShowErrorBox(message); }

TProgressFrm& WinFrontend::CreateProgressWindow(MainWindowLink& mainWindow) {
  DestroyProgressWindow();
  progress_ = std::make_unique<TProgressFrm>(&mainWindow);
  return *progress_;
}

void WinFrontend::DestroyProgressWindow() {
  lines_.SetSink(nullptr);
  progress_.reset();
}

WinFrontend& WindowsFrontend() {
  static WinFrontend frontend;
  return frontend;
}

}  // namespace ui::win32
