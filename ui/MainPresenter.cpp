#include "ui/MainPresenter.h"

#include <stdexcept>
#include <utility>

#include "engine/Runs.h"
#include "platform/AsciiCase.h"
#include "platform/Clock.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "settings/ValueNames.h"
#include "ui/FolderSearch.h"
#include "ui/MainSettings.h"
#include "ui/MainTexts.h"
#include "ui/ProgressTexts.h"
#include "ui/RunSetup.h"

namespace ui {

void AddToHistory(std::vector<std::string>& list, const std::string& text) {
  for (const std::string& entry : list)
    if (platform::SameIgnoringCase(entry, text)) return;
  list.insert(list.begin(), text);
  if (list.size() > static_cast<size_t>(kHistoryLength)) list.resize(kHistoryLength);
}

std::string QuitQuestion(const std::string& filesDone) {
  return filesDone + ".\r\n\n" + main_text::kQuitQuestion;
}

namespace {

void ThrowFailure(const tRunResult& result) {
  if (!result.Failure.empty()) throw std::runtime_error(result.Failure);
}

}  // namespace

TMainPresenter::TMainPresenter(tMainView& view, tSettingsStore& store, tReaderOptions readers)
    : TMainPresenter(
          view, store,
          // The window's runs are journalled like the batch tool's, so they can be undone.
          [](tRun& run, const std::string& pattern) {
            const tRunResult& result = RunRename(run, {pattern});
            ThrowFailure(result);
            return result.Transferred;
          },
          platform::LocalNow, readers) {}

TMainPresenter::TMainPresenter(tMainView& view, tSettingsStore& store, RenamePass rename, Clock now,
                               tReaderOptions readers)
    : view_(view),
      store_(store),
      rename_(std::move(rename)),
      now_(std::move(now)),
      readers_(readers) {}

tRun TMainPresenter::NewRun(const tRunOptions& options) {
  return MakeRun(options, readers_, counter_, cancel_, view_.RunEvents());
}

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
  cancel_.BeginPattern();
  view_.SetStopTarget(&cancel_);
  view_.SetRunControlsEnabled(false);
  if (autoProgressButton_) view_.SetShowProgressBtnVisible(true);
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

bool TMainPresenter::ShiftRefused(const tMainChoices& choices) {
  const std::string problem = ShiftProblem(choices);
  if (problem.empty()) return false;
  view_.Tell(main_text::kShiftRefused + problem + ".");
  return true;
}

void TMainPresenter::RunBtnClick() {
  if (running_) return;  // a second run never starts inside the first
  tMainChoices choices = view_.Choices();
  if (ShiftRefused(choices)) return;
  BeginRun();
  AddToHistory(choices.FormatHistory, choices.FormatEdit);
  AddToHistory(choices.FilepathHistory, choices.FilePathEdit);
  view_.SetHistories(choices.FormatHistory, choices.FilepathHistory);
  view_.ShowProgressWindow(choices.DisplayChk);

  int32_t count = 0;
  RunGuarded([&] {
    tRun run = NewRun(RunOptionsFrom(choices));
    count = rename_(run, choices.FilePathEdit);
  });
  const std::string filesDone = std::to_string(count) + main_text::kFilesRenamed;
  view_.SetFilesDone(filesDone);
  EndRun();
  if (closeRequested_ || view_.Ask(QuitQuestion(filesDone))) view_.CloseWindow();
}

void TMainPresenter::PreviewMenuClick() {
  if (running_) return;
  const tMainChoices choices = view_.Choices();
  if (ShiftRefused(choices)) return;
  BeginRun();
  // The list is what a preview is for: the progress window shows whatever Show Activity says.
  view_.ShowProgressWindow(true);
  RunGuarded([&] {
    tRun run = NewRun(RunOptionsFrom(choices));
    ThrowFailure(PreviewRename(run, {choices.FilePathEdit}));
  });
  EndRun();
  if (closeRequested_) view_.CloseWindow();
}

void TMainPresenter::UndoMenuClick() {
  if (running_) return;
  platform::FileSystem& files = platform::RealFileSystem();
  const std::string journal = LastRunJournal(files);
  if (journal.empty()) {
    view_.Tell(main_text::kNothingToUndo);
    return;
  }
  if (!view_.Ask(UndoQuestion(JournalFileCount(files, journal)))) return;
  BeginRun();
  view_.ShowProgressWindow(true);
  tUndoResult result;
  RunGuarded([&] {
    tRun run = NewRun(tRunOptions());
    result = UndoRun(run, journal);
    ThrowFailure(run.Result);
  });
  view_.SetFilesDone(UndoResultText(result.Undone, result.Refused, result.Lost));
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
  if (autoProgressButton_) view_.SetShowProgressBtnVisible(false);
  view_.SetStopTarget(nullptr);
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

void TMainPresenter::OpenAtFolder(const std::string& folder) {
  view_.SetPathText(PatternAtFolder(folder, view_.Choices().FilePathEdit));
  FormatEditChange();
}

void TMainPresenter::PathDropped(const std::string& path) {
  if (running_ || path.empty()) return;
  if (platform::RealFileSystem().DirectoryExists(path))
    OpenAtFolder(path);
  else {
    view_.SetPathText(PatternForFile(path));
    FormatEditChange();
  }
}

void TMainPresenter::ApplyProgressButtonMode(tProgressButtonMode mode) {
  mode_ = mode;
  const tProgressButtonState state = ProgressButtonStateFor(mode);
  view_.SetShowProgressBtnVisible(state.buttonVisible);
  autoProgressButton_ = state.autoProgressButton;
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
  cancel_.StopPattern();
  view_.ShowStopped();
}

}  // namespace ui
