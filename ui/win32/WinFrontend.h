#pragma once

#include <memory>
#include <string>

#include "ui/Frontend.h"
#include "ui/win32/MainWindowLink.h"
#include "ui/win32/ProgressFrm.h"

namespace ui::win32 {

// The Windows frontend: the progress window, the about and usage window and the error
// box. Frontend() returns the one instance.
class WinFrontend final : public tFrontend {
 public:
  // Creates the batch-mode progress window if there is none yet, shows it and makes it
  // the pass's progress window.
  void ShowBatchProgress() override;
  // The batch progress window gets its Close button and stays until it is closed.
  void WaitForProgressClose() override;
  // Hides the progress window if there is one, then shows the about window modally.
  void ShowUsage() override;
  // The main window, then the hidden progress window, then the messages until the main
  // window closes; exit code 0.
  int RunInteractive() override;
  void ReportFailure(const std::string& message) override;

  // Interactive mode: creates the hidden progress window beside the main window and
  // makes it the pass's progress window. The link must outlive the progress window.
  TProgressFrm& CreateProgressWindow(MainWindowLink& mainWindow);
  // The progress window, or nullptr.
  TProgressFrm* ProgressFrm() const { return progress_.get(); }
  // Destroys the progress window and tells the pass there is none.
  void DestroyProgressWindow();

 private:
  std::unique_ptr<TProgressFrm> progress_;
};

// The same object as Frontend(), with the Windows-only operations.
WinFrontend& WindowsFrontend();

}  // namespace ui::win32
