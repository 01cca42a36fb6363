#include "ui/MainPresenter.h"

#include <utility>

#include "engine/Progress.h"
#include "engine/RunState.h"
#include "engine/Runs.h"
#include "platform/AsciiCase.h"
#include "platform/Clock.h"
#include "platform/Errors.h"
#include "settings/Translations.h"
#include "settings/ValueNames.h"
#include "ui/FolderSearch.h"
#include "ui/MainSettings.h"
#include "ui/MainTexts.h"
#include "ui/ProgressTexts.h"

namespace ui {

tRunOptions RunOptionsFrom(const tMainChoices& c) {
  tRunOptions options;
  options.Format = c.FormatEdit;
  options.Recurse = c.SubDirChk;
  options.UseCounter = c.FileNoChk;
  options.CounterWidth = 3;
  options.Overwrite = c.OverWrtChk;
  options.CopyFiles = c.CopyChk;
  options.SetFileStamp = c.FileChk;
  options.OriginalFirst = c.DateGrpBox == 0;
  options.DropOldName = c.DelOrgChk;
  return options;
}

tProgressButtonState ProgressButtonStateFor(tProgressButtonMode mode) {
  switch (mode) {
    case tProgressButtonMode::ShowAlways:
      return {true, false};
    case tProgressButtonMode::HideAlways:
      return {false, false};
    case tProgressButtonMode::Auto:
      break;
  }
  return {false, true};
}

void AddToHistory(std::vector<std::string>& list, const std::string& text) {
  for (const std::string& entry : list)
    if (platform::SameIgnoringCase(entry, text)) return;
  list.insert(list.begin(), text);
  if (list.size() > static_cast<size_t>(kHistoryLength)) list.resize(kHistoryLength);
}

std::string QuitQuestion(const std::string& filesDone) {
  return filesDone + ".\r\n\n" + main_text::kQuitQuestion;
}

TMainPresenter::TMainPresenter(tMainView& view, tSettingsStore& store)
    : TMainPresenter(
          view, store,
          // The window's runs are journalled like the batch tool's, so they can be undone.
          [](const tRunOptions& options, const std::string& pattern) {
            return RunRename(options, {pattern});
          },
          platform::LocalNow) {}

TMainPresenter::TMainPresenter(tMainView& view, tSettingsStore& store, RenamePass rename, Clock now)
    : view_(view), store_(store), rename_(std::move(rename)), now_(std::move(now)) {}

void TMainPresenter::FormCreate() {
  // The designed Auto mode; a stored mode replaces it below.
  ApplyProgressButtonMode(tProgressButtonMode::Auto);
  if (store_.IsOpen()) {
    tMainChoices choices = view_.Choices();
    RestoreMainChoices(store_, choices, [](tMainChoices& c) {
      c.FormatEdit = SampleFormatText(kSampleFormats[static_cast<size_t>(c.FormatGrpBox)]);
    });
    view_.ShowChoices(choices);
    ApplyProgressButtonMode(RestoreProgressButtonMode(store_));
  }
  FormatEditChange();
}

void TMainPresenter::FormDestroy() { SaveMainChoices(store_, view_.Choices()); }

void TMainPresenter::FormatGrpBoxClick() {
  const int index = view_.Choices().FormatGrpBox;
  if (index >= 0 && static_cast<size_t>(index) < kSampleFormats.size())
    view_.SetFormatText(SampleFormatText(kSampleFormats[static_cast<size_t>(index)]));
  FormatEditChange();
}

void TMainPresenter::FormatEditChange() { view_.ShowPreview(PreviewFor(view_.Choices(), now_())); }

void TMainPresenter::BeginRun() {
  running_ = true;
  closeRequested_ = false;
  view_.SetRunControlsEnabled(false);
  if (AutoProgressButton) view_.SetShowProgressBtnVisible(true);
}

template <typename Work>
void TMainPresenter::RunGuarded(Work work) {
  try {
    work();
  } catch (...) {
    // The failure is shown by the caller; the window stays usable for the next run.
    EndRun();
    if (closeRequested_) view_.CloseWindow();
    throw;
  }
}

void TMainPresenter::RunBtnClick() {
  if (running_) return;  // a second run never starts inside the first
  BeginRun();
  tMainChoices choices = view_.Choices();
  AddToHistory(choices.FormatHistory, choices.FormatEdit);
  AddToHistory(choices.FilepathHistory, choices.FilePathEdit);
  view_.SetHistories(choices.FormatHistory, choices.FilepathHistory);
  view_.ShowProgressWindow(choices.DisplayChk);

  int32_t count = 0;
  RunGuarded([&] { count = rename_(RunOptionsFrom(choices), choices.FilePathEdit); });
  const std::string filesDone = std::to_string(count) + main_text::kFilesRenamed;
  view_.SetFilesDone(filesDone);
  EndRun();
  if (closeRequested_ || view_.Ask(QuitQuestion(filesDone))) view_.CloseWindow();
}

void TMainPresenter::PreviewMenuClick() {
  if (running_) return;
  BeginRun();
  const tMainChoices choices = view_.Choices();
  // The list is what a preview is for: the progress window shows whatever Show Activity says.
  view_.ShowProgressWindow(true);
  RunGuarded([&] { PreviewRename(RunOptionsFrom(choices), {choices.FilePathEdit}); });
  EndRun();
  if (closeRequested_) view_.CloseWindow();
}

void TMainPresenter::UndoMenuClick() {
  if (running_) return;
  const std::string journal = LastRunJournal();
  if (journal.empty()) {
    view_.Tell(main_text::kNothingToUndo);
    return;
  }
  if (!view_.Ask(UndoQuestion(JournalFileCount(journal)))) return;
  BeginRun();
  view_.ShowProgressWindow(true);
  tUndoResult result;
  RunGuarded([&] { result = UndoRun(journal); });
  view_.SetFilesDone(UndoResultText(result.undone, result.refused, result.lost));
  EndRun();
  if (closeRequested_) view_.CloseWindow();
}

std::string UndoQuestion(int32_t files) {
  return "Undo the last run? It changed " + std::to_string(files) +
         (files == 1 ? " file." : " files.") +
         "\r\n\nFiles that changed since, or whose old name is taken now, stay where they are.";
}

std::string UndoResultText(int32_t undone, int32_t refused, int32_t lost) {
  std::string text = std::to_string(undone) + " files put back.";
  if (refused > 0) text += " " + std::to_string(refused) + " left as they are.";
  if (lost > 0) text += " " + std::to_string(lost) + " cannot come back.";
  return text;
}

void TMainPresenter::EndRun() {
  // Show Always keeps its button after a run, as its menu check says.
  if (AutoProgressButton) view_.SetShowProgressBtnVisible(false);
  view_.SetRunControlsEnabled(true);
  running_ = false;
}

void TMainPresenter::SearchBtnClick() {
  try {
    const std::string pattern = view_.Choices().FilePathEdit;
    const std::optional<std::string> folder = view_.BrowseForFolder(SearchStartFolder(pattern));
    if (!folder) return;
    view_.SetPathText(PatternForFolder(*folder, pattern));
    FormatEditChange();
  } catch (const EInOutError&) {
    // The path box keeps what it holds.
  }
}

void TMainPresenter::ApplyProgressButtonMode(tProgressButtonMode mode) {
  mode_ = mode;
  const tProgressButtonState state = ProgressButtonStateFor(mode);
  view_.SetShowProgressBtnVisible(state.buttonVisible);
  AutoProgressButton = state.autoProgressButton;
  view_.CheckProgressButtonMode(mode);
}

void TMainPresenter::ChooseProgressButtonMode(tProgressButtonMode mode) {
  ApplyProgressButtonMode(mode);
  // Stored at once, open store or not: a failure reaches the user as an error.
  store_.WriteIntegerValue(values::kDisplayProgressButton, static_cast<int32_t>(mode));
}

void TMainPresenter::CloseRequested() {
  if (!running_) {
    view_.CloseWindow();
    return;
  }
  if (closeRequested_) return;
  closeRequested_ = true;
  KeepRunning = false;
  if (tProgressSink* progress = ProgressWindow()) progress->AddAlertLine(kStoppedLine, 0);
}

}  // namespace ui
