#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/pass/Run.h"
#include "platform/DateTime.h"
#include "settings/SettingsStore.h"
#include "ui/FormatPreview.h"
#include "ui/MainChoices.h"

namespace ui {

// What the main window's logic asks of the window. The Win32 window implements it; the
// tests implement it natively.
class tMainView {
 public:
  virtual ~tMainView() = default;

  // The controls as they are now.
  virtual tMainChoices Choices() const = 0;
  // Puts all of them into the controls.
  virtual void ShowChoices(const tMainChoices& choices) = 0;
  virtual void SetFormatText(const std::string& text) = 0;
  virtual void SetPathText(const std::string& text) = 0;
  // Both drop-down lists; the boxes' texts stay.
  virtual void SetHistories(const std::vector<std::string>& formats,
                            const std::vector<std::string>& paths) = 0;
  // The batch line, the example and the menu checks.
  virtual void ShowPreview(const tPreview& preview) = 0;
  // RunBtn, RunMenu, QuitBtn and QuitMenu.
  virtual void SetRunControlsEnabled(bool enabled) = 0;
  virtual void SetShowProgressBtnVisible(bool visible) = 0;
  // Checks the mode's item of the Toggle Progress Button menu, and only that one.
  virtual void CheckProgressButtonMode(tProgressButtonMode mode) = 0;
  // Shown (and brought to the front) or hidden.
  virtual void ShowProgressWindow(bool visible) = 0;
  virtual void SetFilesDone(const std::string& text) = 0;
  // A Yes/No question (after a run, before an undo); true for Yes.
  virtual bool Ask(const std::string& text) = 0;
  // A message with an OK button.
  virtual void Tell(const std::string& text) = 0;
  // The shell's folder browser opened at the folder; nothing when the user cancels.
  virtual std::optional<std::string> BrowseForFolder(const std::string& startFolder) = 0;
  // Ends the window, which ends the program (its choices are saved as it goes).
  virtual void CloseWindow() = 0;
  // Where the window's runs tell what they do: the progress window's lines.
  virtual tRunEvents& RunEvents() = 0;
  // The progress window's Stop button stops this run; nullptr once it has ended.
  virtual void SetStopTarget(tCancelToken* token) = 0;
  // The "Stopped..." line, when the window is closed during a run.
  virtual void ShowStopped() = 0;
};

// The main window's logic: start and end, the live preview, the run, the folder search
// and the Show Progress button's modes.
class TMainPresenter {
 public:
  // One run of the pattern; returns how many files it moved or copied. A failure that ends
  // it is thrown, to be shown as the window shows failures.
  using RenamePass = std::function<int32_t(tRun& run, const std::string& pattern)>;
  using Clock = std::function<TDateTime()>;

  // By default the real, journalled run, the computer's clock and the program's settings;
  // the readers' options are those read at start-up.
  TMainPresenter(tMainView& view, tSettingsStore& store, tReaderOptions readers = {});
  TMainPresenter(tMainView& view, tSettingsStore& store, RenamePass rename, Clock now,
                 tReaderOptions readers = {});

  // Restores the remembered choices (when the store is open) and fills the displays.
  void FormCreate();
  // Saves the choices (when the store is open).
  void FormDestroy();

  // A sample chosen (only when the selection changed): its text into the format box.
  void FormatGrpBoxClick();
  // Anything else changed: the batch line, the example and the menu checks follow.
  void FormatEditChange();

  // One run of the rename pass with the controls' choices, then the question.
  void RunBtnClick();
  // The folder browser; the chosen folder becomes the path pattern.
  void SearchBtnClick();
  // The window was started for a folder (/W:folder): the folder with the name part of
  // the pattern it holds (*.jpg when none) becomes the path pattern.
  void OpenAtFolder(const std::string& folder);
  // A folder dropped on the window is taken as OpenAtFolder takes it; a file gives its
  // folder and "*" with its extension. Nothing happens during a run.
  void PathDropped(const std::string& path);

  // The run the controls stand for, listed in the progress window without changing
  // anything on disk.
  void PreviewMenuClick();
  // Takes back the last run that changed files, after asking with its number of files.
  void UndoMenuClick();

  // A mode chosen from the menu: applied, then stored at once.
  void ChooseProgressButtonMode(tProgressButtonMode mode);
  tProgressButtonMode ProgressButtonMode() const { return mode_; }

  // The window is asked to close. Outside a run it closes at once. During a run the pass
  // ends after the current file, as with Stop, and the window closes when it returns.
  void CloseRequested();
  bool Running() const { return running_; }
  // True while the Show Progress button is in its Auto mode: shown during a run only.
  bool AutoProgressButton() const { return autoProgressButton_; }
  // The running counter: it runs on across the runs while the window is open.
  int32_t Counter() const { return counter_; }

 private:
  void ApplyProgressButtonMode(tProgressButtonMode mode);
  // The run and quit controls disabled and, in Auto mode, the Show Progress button shown
  // while a run, a preview or an undo lasts; EndRun puts both back.
  void BeginRun();
  void EndRun();
  // Runs the work; a failure that ends it leaves the window usable and goes on to the
  // caller, which shows it.
  template <typename Work>
  void RunGuarded(Work work);
  // A run of the options, its events going to the view.
  tRun NewRun(const tRunOptions& options);
  // Tells the user, and is true, when the shift box holds no clock shift: nothing runs.
  bool ShiftRefused(const tMainChoices& choices);

  tMainView& view_;
  tSettingsStore& store_;
  RenamePass rename_;
  Clock now_;
  tReaderOptions readers_;
  tProgressButtonMode mode_ = tProgressButtonMode::Auto;
  bool autoProgressButton_ = true;
  int32_t counter_ = 0;
  tCancelToken cancel_;
  bool running_ = false;
  bool closeRequested_ = false;
};

// Adds a text on top of a drop-down history: a text already there (letter case ignored)
// stays where it is; the list keeps its ten newest entries.
void AddToHistory(std::vector<std::string>& list, const std::string& text);

// The question after a run: the result, a full stop, an empty line, "Quit program?".
std::string QuitQuestion(const std::string& filesDone);

// The question before an undo, and what the label shows after it.
std::string UndoQuestion(int32_t files);
std::string UndoResultText(int32_t undone, int32_t refused, int32_t lost);

}  // namespace ui
