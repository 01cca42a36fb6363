#pragma once

#include <memory>
#include <string>

#include "ui/Frontend.h"
#include "ui/RunLines.h"
#include "ui/win32/MainWindowLink.h"
#include "ui/win32/ProgressFrm.h"

namespace ui::win32 {

// The Windows frontend: the progress window, the about and usage window and the error
// box. Frontend() returns the one instance.
class WinFrontend final : public tFrontend {
 public:
  // Creates the batch-mode progress window if there is none yet and shows it; the batch
  // run's lines go there, and its Stop stops the pattern under way.
  void ShowBatchProgress() override;
  // The batch progress window gets its Close button and stays until it is closed.
  void WaitForProgressClose() override;
  // Hides the progress window if there is one, then shows the about window modally.
  void ShowUsage() override;
  // The batch run's lines: in the progress window when /S made one, else nowhere; the
  // window messages run between files either way.
  tRunEvents& BatchEvents(const tRunOptions& options) override;
  tCancelToken& BatchCancel() override { return cancel_; }
  // A failure shows in the error box and ends with 1; anything else with 0.
  int BatchDone(const tRunResult& result) override;
  // The main window, then the hidden progress window, then the messages until the main
  // window closes; exit code 0.
  int RunInteractive(const tReaderOptions& readers, const std::string& folder) override;
  void ReportFailure(const std::string& message) override;

  // Interactive mode: creates the hidden progress window beside the main window. The
  // link must outlive the progress window.
  TProgressFrm& CreateProgressWindow(MainWindowLink& mainWindow);
  // The progress window, or nullptr.
  TProgressFrm* ProgressFrm() const { return progress_.get(); }
  // Destroys the progress window; the batch lines go nowhere.
  void DestroyProgressWindow();

 private:
  std::unique_ptr<TProgressFrm> progress_;
  ui::tProgressLines lines_;
  tCancelToken cancel_;
};

// The same object as Frontend(), with the Windows-only operations.
WinFrontend& WindowsFrontend();

}  // namespace ui::win32
