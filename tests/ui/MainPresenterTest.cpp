#include <gtest/gtest.h>

#include <stdexcept>

#include "engine/pass/RenameDirectory.h"
#include "engine/pass/TargetName.h"
#include "platform/Errors.h"
#include "platform/FileOperations.h"
#include "platform/Path.h"
#include "settings/Translations.h"
#include "tests/support/Photos.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"
#include "ui/FolderSearch.h"
#include "ui/MainPresenter.h"
#include "ui/MainSettings.h"

namespace {

using ui::tMainChoices;
using ui::tProgressButtonMode;

// The window as the logic sees it: the controls' state and what was asked of it.
class FakeView : public ui::tMainView {
 public:
  tMainChoices Choices() const override { return choices; }
  void ShowChoices(const tMainChoices& c) override { choices = c; }
  void SetFormatText(const std::string& text) override { choices.FormatEdit = text; }
  void SetPathText(const std::string& text) override { choices.FilePathEdit = text; }
  void SetHistories(const std::vector<std::string>& formats,
                    const std::vector<std::string>& paths) override {
    choices.FormatHistory = formats;
    choices.FilepathHistory = paths;
  }
  void ShowPreview(const ui::tPreview& p) override {
    preview = p;
    ++previews;
  }
  void SetRunControlsEnabled(bool enabled) override {
    runControlsEnabled = enabled;
    events.push_back(enabled ? "enabled" : "disabled");
  }
  void SetShowProgressBtnVisible(bool visible) override {
    buttonVisible = visible;
    events.push_back(visible ? "button shown" : "button hidden");
  }
  void CheckProgressButtonMode(tProgressButtonMode mode) override { checkedMode = mode; }
  void ShowProgressWindow(bool visible) override {
    events.push_back(visible ? "progress shown" : "progress hidden");
  }
  void SetFilesDone(const std::string& text) override {
    filesDone = text;
    events.push_back("files done");
  }
  bool Ask(const std::string& text) override {
    questions.push_back(text);
    events.push_back("question");
    return answerYes;
  }
  void Tell(const std::string& text) override { told.push_back(text); }
  std::optional<std::string> BrowseForFolder(const std::string& start) override {
    browsedFrom.push_back(start);
    return chosenFolder;
  }
  void CloseWindow() override {
    ++closed;
    events.push_back("closed");
  }
  tRunEvents& RunEvents() override { return sink; }
  void SetStopTarget(tCancelToken* token) override { stopTarget = token; }
  void ShowStopped() override {
    sink.lines.push_back({"Stopped...", true, 0, tRunEventKind::Stopped});
  }

  tMainChoices choices;
  ui::tPreview preview;
  int previews = 0;
  bool runControlsEnabled = true;
  bool buttonVisible = false;
  tProgressButtonMode checkedMode = tProgressButtonMode::Auto;
  std::string filesDone;
  std::vector<std::string> questions;
  std::vector<std::string> told;
  std::vector<std::string> events;
  std::vector<std::string> browsedFrom;
  std::optional<std::string> chosenFolder;
  bool answerYes = false;
  int closed = 0;
  test::RecordingSink sink;
  tCancelToken* stopTarget = nullptr;
};

TDateTime Noon() { return platform::EncodeDateTime({2008, 6, 15, 12, 0, 0, 0}); }

class MainPresenter : public ::testing::Test {
 protected:
  // A presenter over the real rename pass with a fixed clock.
  ui::TMainPresenter Make(ui::TMainPresenter::RenamePass rename = nullptr) {
    if (!rename) {
      rename = [this](tRun& run, const std::string& pattern) {
        runs.push_back({run.Options, pattern});
        return RenameDirectory(run, pattern);
      };
    }
    return ui::TMainPresenter(view, SettingsStore, rename, Noon);
  }

  struct Run {
    tRunOptions options;
    std::string pattern;
  };
  test::SettingsSandbox settings;
  test::TempDir dir;
  FakeView view;
  std::vector<Run> runs;
};

TEST_F(MainPresenter, FormCreateRestoresThenFillsTheDisplays) {
  auto presenter = Make();
  presenter.FormCreate();
  EXPECT_EQ("*.jpg", view.choices.FilePathEdit);
  EXPECT_EQ("/F:\"yyyy-mm-dd-hh-nn-ss_\" *.jpg /O /S", view.preview.batchLine);
  EXPECT_EQ("2008-06-15-12-00-00_IMGP1234.jpg", view.preview.example);
  EXPECT_TRUE(view.preview.checks.OrgTSMenu);
  EXPECT_EQ(tProgressButtonMode::Auto, view.checkedMode);
  EXPECT_FALSE(view.buttonVisible);
  EXPECT_TRUE(presenter.AutoProgressButton());
}

TEST_F(MainPresenter, WithoutAnOpenStoreTheBoxesStayEmpty) {
  tSettingsStore closed;
  ui::TMainPresenter presenter(view, closed, nullptr, Noon);
  presenter.FormCreate();
  EXPECT_EQ(tMainChoices{}, view.choices);
  EXPECT_EQ("/F:\"\"  /O /S", view.preview.batchLine);
  presenter.FormDestroy();  // saves nothing, fails nothing
}

TEST_F(MainPresenter, RestoredModesApplyWithoutBeingWritten) {
  SettingsStore.WriteIntegerValue("DisplayProgressButton", 1);
  auto presenter = Make();
  presenter.FormCreate();
  EXPECT_EQ(tProgressButtonMode::ShowAlways, presenter.ProgressButtonMode());
  EXPECT_TRUE(view.buttonVisible);
  EXPECT_FALSE(presenter.AutoProgressButton());
  EXPECT_EQ(tProgressButtonMode::ShowAlways, view.checkedMode);

  SettingsStore.WriteIntegerValue("DisplayProgressButton", 2);
  FakeView other;
  ui::TMainPresenter second(other, SettingsStore, nullptr, Noon);
  second.FormCreate();
  EXPECT_FALSE(other.buttonVisible);
  EXPECT_FALSE(second.AutoProgressButton());
  EXPECT_EQ(tProgressButtonMode::HideAlways, other.checkedMode);
}

TEST_F(MainPresenter, ChoosingAModeStoresItAtOnce) {
  auto presenter = Make();
  presenter.FormCreate();
  presenter.ChooseProgressButtonMode(tProgressButtonMode::ShowAlways);
  EXPECT_TRUE(view.buttonVisible);
  EXPECT_EQ(1, SettingsStore.ReadIntegerValue("DisplayProgressButton"));
  presenter.ChooseProgressButtonMode(tProgressButtonMode::HideAlways);
  EXPECT_FALSE(view.buttonVisible);
  EXPECT_EQ(2, SettingsStore.ReadIntegerValue("DisplayProgressButton"));
  presenter.ChooseProgressButtonMode(tProgressButtonMode::Auto);
  EXPECT_TRUE(presenter.AutoProgressButton());
  EXPECT_EQ(3, SettingsStore.ReadIntegerValue("DisplayProgressButton"));
}

TEST_F(MainPresenter, ChoosingAModeWithoutAStoreAppliesItThenFails) {
  tSettingsStore closed;
  ui::TMainPresenter presenter(view, closed, nullptr, Noon);
  EXPECT_THROW(presenter.ChooseProgressButtonMode(tProgressButtonMode::ShowAlways),
               ERegistryException);
  EXPECT_TRUE(view.buttonVisible);
  EXPECT_EQ(tProgressButtonMode::ShowAlways, view.checkedMode);
}

TEST_F(MainPresenter, SampleClickPutsItsTextAndRefreshes) {
  auto presenter = Make();
  presenter.FormCreate();
  view.choices.FormatGrpBox = 4;
  presenter.FormatGrpBoxClick();
  EXPECT_EQ("'Model'_", view.choices.FormatEdit);
  EXPECT_EQ("/F:\"'Model'_\" *.jpg /O /S", view.preview.batchLine);
  EXPECT_EQ("Model_IMGP1234.jpg", view.preview.example);
  EXPECT_TRUE(view.choices.FormatHistory.empty()) << "the history is not touched";
}

TEST_F(MainPresenter, RunRenamesRecordsHistoriesAndAsks) {
  test::WriteBytes(dir / "IMG_0001.JPG", test::Photo({"2004:05:07 10:00:00"}));
  auto presenter = Make();
  presenter.FormCreate();
  view.choices.FilePathEdit = dir / "*.jpg";
  view.choices.DateGrpBox = 1;
  view.choices.FileNoChk = true;
  view.events.clear();
  const int32_t counterBefore = presenter.Counter();

  presenter.RunBtnClick();
  ASSERT_EQ(1u, runs.size());
  EXPECT_EQ(dir / "*.jpg", runs[0].pattern);
  EXPECT_TRUE(runs[0].options.UseCounter);
  EXPECT_EQ(3, runs[0].options.CounterWidth);
  EXPECT_FALSE(runs[0].options.OriginalFirst);
  EXPECT_EQ("yyyy-mm-dd-hh-nn-ss_", runs[0].options.Format);
  EXPECT_TRUE(platform::FileExists(
      dir / ("2004-05-07-10-00-00_IMG_0001" + CounterText(counterBefore + 1, 3) + ".JPG")));

  EXPECT_EQ("1 files renamed.", view.filesDone);
  ASSERT_EQ(1u, view.questions.size());
  EXPECT_EQ("1 files renamed..\r\n\nQuit program?", view.questions[0]);
  EXPECT_EQ((std::vector<std::string>{"disabled", "button shown", "progress shown", "files done",
                                      "button hidden", "enabled", "question"}),
            view.events);
  EXPECT_EQ(0, view.closed) << "No keeps the window";
  EXPECT_EQ((std::vector<std::string>{"yyyy-mm-dd-hh-nn-ss_"}), view.choices.FormatHistory);
  EXPECT_EQ(dir / "*.jpg", view.choices.FilepathHistory.front());
  EXPECT_EQ(7u, view.choices.FilepathHistory.size());

  view.answerYes = true;
  view.choices.FilePathEdit = dir / "none*.jpg";
  presenter.RunBtnClick();
  EXPECT_EQ("0 files renamed.", view.filesDone);
  EXPECT_EQ(1, view.closed);
}

TEST_F(MainPresenter, ShowActivityClearHidesTheProgressWindowAndShowAlwaysKeepsTheButton) {
  auto presenter = Make([](tRun&, const std::string&) { return 0; });
  presenter.FormCreate();
  presenter.ChooseProgressButtonMode(tProgressButtonMode::ShowAlways);
  view.choices.DisplayChk = false;
  view.events.clear();
  presenter.RunBtnClick();
  EXPECT_EQ((std::vector<std::string>{"disabled", "progress hidden", "files done", "enabled",
                                      "question"}),
            view.events);
  EXPECT_TRUE(view.buttonVisible);

  presenter.ChooseProgressButtonMode(tProgressButtonMode::HideAlways);
  view.events.clear();
  presenter.RunBtnClick();
  EXPECT_FALSE(view.buttonVisible) << "Hide Always shows no button during a run";
}

TEST_F(MainPresenter, AFailureThatEndsThePassLeavesTheWindowUsable) {
  auto presenter = Make([](tRun&, const std::string&) -> int32_t {
    throw EFOpenError("Cannot open file \"x.jpg\". Access is denied");
  });
  presenter.FormCreate();
  view.filesDone = "before";
  EXPECT_THROW(presenter.RunBtnClick(), EFOpenError);
  EXPECT_EQ("before", view.filesDone);
  EXPECT_TRUE(view.questions.empty());
  EXPECT_TRUE(view.runControlsEnabled);
  EXPECT_FALSE(view.buttonVisible);
  EXPECT_FALSE(presenter.Running());
}

TEST_F(MainPresenter, ClosingDuringARunStopsItAfterTheCurrentFileThenCloses) {
  ui::TMainPresenter* self = nullptr;
  int filesBeforeClose = 0;
  auto presenter = Make([&](tRun& run, const std::string&) -> int32_t {
    int32_t done = 0;
    EXPECT_EQ(run.Cancel, view.stopTarget) << "Stop stops the run under way";
    for (int file = 0; file < 10 && !run.Stopped(); ++file) {
      ++done;
      if (file == 2) {
        self->CloseRequested();
        self->CloseRequested();  // a second request changes nothing
        filesBeforeClose = done;
        EXPECT_EQ(0, view.closed) << "not while the pass runs";
      }
    }
    return done;
  });
  self = &presenter;
  presenter.FormCreate();
  presenter.RunBtnClick();
  EXPECT_EQ(3, filesBeforeClose);
  EXPECT_EQ("3 files renamed.", view.filesDone);
  EXPECT_TRUE(view.questions.empty()) << "the user already said to close";
  EXPECT_EQ(1, view.closed);
  ASSERT_EQ(1u, view.sink.lines.size());
  EXPECT_EQ("Stopped...", view.sink.lines[0].text);
  EXPECT_EQ(nullptr, view.stopTarget) << "no Stop outside a run";

  // Outside a run a close request closes at once.
  presenter.CloseRequested();
  EXPECT_EQ(2, view.closed);
}

TEST_F(MainPresenter, SearchRewritesThePatternForTheChosenFolder) {
  auto presenter = Make();
  presenter.FormCreate();
  const std::string folder = dir.Path();
  view.choices.FilePathEdit = folder + "IMG*.nef";
  view.chosenFolder = "D:\\Photos";
  const int previews = view.previews;
  presenter.SearchBtnClick();
  ASSERT_EQ(1u, view.browsedFrom.size());
  EXPECT_EQ(folder, view.browsedFrom[0]);
  EXPECT_EQ("D:\\Photos\\*.nef", view.choices.FilePathEdit);
  EXPECT_EQ(previews + 1, view.previews);
  EXPECT_NE(std::string::npos, view.preview.batchLine.find("D:\\Photos\\*.nef"));

  view.choices.FilePathEdit = "*.jpg";
  view.chosenFolder = "E:\\";
  presenter.SearchBtnClick();
  EXPECT_EQ("C:\\", view.browsedFrom[1]);
  EXPECT_EQ("E:\\*.jpg", view.choices.FilePathEdit);

  view.chosenFolder.reset();  // cancelled: nothing changes
  presenter.SearchBtnClick();
  EXPECT_EQ("E:\\*.jpg", view.choices.FilePathEdit);
}

TEST_F(MainPresenter, PreviewListsTheRunWithoutChangingAnything) {
  test::WriteBytes(dir / "IMG_0001.JPG", test::Photo({"2004:05:07 10:00:00"}));
  test::WriteBytes(dir / "IMG_0002.JPG", test::Photo({"2004:05:07 10:00:00"}));
  test::RecordingSink& sink = view.sink;
  ui::TMainPresenter presenter(view, SettingsStore);
  presenter.FormCreate();
  view.choices.FilePathEdit = dir / "*.JPG";
  view.choices.DelOrgChk = true;
  view.choices.DisplayChk = false;
  view.events.clear();
  const int32_t counter = presenter.Counter();
  presenter.PreviewMenuClick();
  EXPECT_EQ((std::vector<std::string>{"disabled", "button shown", "progress shown", "button hidden",
                                      "enabled"}),
            view.events);
  EXPECT_EQ(presenter.Counter(), counter);
  EXPECT_TRUE(platform::FileExists(dir / "IMG_0001.JPG"));
  EXPECT_TRUE(platform::FileExists(dir / "IMG_0002.JPG"));
  EXPECT_TRUE(view.questions.empty());
  EXPECT_EQ("", view.filesDone);
  const std::vector<std::string> listed = sink.Texts();
  ASSERT_EQ(2u, listed.size());

  // The real run that follows says the same, line for line.
  sink.lines.clear();
  presenter.RunBtnClick();
  EXPECT_EQ(listed, sink.Texts());
}

TEST_F(MainPresenter, UndoAsksWithTheCountThenPutsTheFilesBack) {
  ui::TMainPresenter presenter(view, SettingsStore);
  presenter.FormCreate();
  presenter.UndoMenuClick();
  ASSERT_EQ(1u, view.told.size()) << "no run yet";
  EXPECT_TRUE(view.questions.empty());

  test::WriteBytes(dir / "IMG_0001.JPG", test::Photo({"2004:05:07 10:00:00"}));
  test::WriteBytes(dir / "IMG_0002.JPG", test::Photo({"2005:05:07 10:00:00"}));
  view.choices.FilePathEdit = dir / "*.JPG";
  presenter.RunBtnClick();
  ASSERT_FALSE(platform::FileExists(dir / "IMG_0001.JPG"));

  view.questions.clear();
  view.answerYes = false;
  presenter.UndoMenuClick();
  ASSERT_EQ(1u, view.questions.size());
  EXPECT_NE(std::string::npos, view.questions[0].find("2 files"));
  EXPECT_FALSE(platform::FileExists(dir / "IMG_0001.JPG")) << "No changes nothing";

  view.answerYes = true;
  view.events.clear();
  presenter.UndoMenuClick();
  EXPECT_TRUE(platform::FileExists(dir / "IMG_0001.JPG"));
  EXPECT_TRUE(platform::FileExists(dir / "IMG_0002.JPG"));
  EXPECT_EQ("2 files put back.", view.filesDone);
  EXPECT_EQ((std::vector<std::string>{"question", "disabled", "button shown", "progress shown",
                                      "files done", "button hidden", "enabled"}),
            view.events);
  EXPECT_EQ(0, view.closed);
}

TEST(UndoTexts, CountsAndRefusals) {
  EXPECT_NE(std::string::npos, ui::UndoQuestion(1).find("1 file."));
  EXPECT_EQ("3 files put back.", ui::UndoResultText(3, 0, 0));
  EXPECT_EQ("1 files put back. 2 left as they are. 1 cannot come back.",
            ui::UndoResultText(1, 2, 1));
}

TEST(FolderSearch, StartFolderAndNewPattern) {
  test::TempDir dir;
  EXPECT_EQ(dir.Path(), ui::SearchStartFolder(dir.Path() + "*.jpg"));
  EXPECT_EQ("C:\\", ui::SearchStartFolder("*.jpg"));
  EXPECT_EQ("C:\\", ui::SearchStartFolder(dir.Path() + "missing\\*.jpg"));
  EXPECT_EQ("D:\\Photos\\*.jpg", ui::PatternForFolder("D:\\Photos", "*.jpg"));
  EXPECT_EQ("E:\\*.jpg", ui::PatternForFolder("E:\\", "C:\\x\\IMG_*.jpg"));
  EXPECT_EQ("D:\\P\\*", ui::PatternForFolder("D:\\P", "IMG_*"));
  // Opened at a folder or given one by a drop: the whole name part carries over.
  const char sep = platform::PathSeparator();
  const std::string root = std::string("D:") + sep;
  EXPECT_EQ(root + "P" + sep + "IMG_*.nef",
            ui::PatternAtFolder(root + "P", root + "x" + sep + "IMG_*.nef"));
  EXPECT_EQ(root + "*.jpg", ui::PatternAtFolder(root, root + "x" + sep));
  EXPECT_EQ(root + "P" + sep + "*.CR2", ui::PatternForFile(root + "P" + sep + "IMG_1.CR2"));
  EXPECT_EQ(root + "P" + sep + "*", ui::PatternForFile(root + "P" + sep + "README"));
  EXPECT_EQ("D:\\P\\*.*", ui::PatternForFolder("D:\\P", "*.*"));
  EXPECT_EQ("D:\\日本\\*.JPG", ui::PatternForFolder("D:\\日本", "a.b\\x.JPG"));
}

TEST(History, NewTextsGoOnTopTheListKeepsTenAndKnownTextsStay) {
  std::vector<std::string> list;
  for (int i = 0; i < 11; ++i) ui::AddToHistory(list, "f" + std::to_string(i));
  ASSERT_EQ(10u, list.size());
  EXPECT_EQ("f10", list.front());
  EXPECT_EQ("f1", list.back());
  ui::AddToHistory(list, "F5");  // letter case ignored: not added, not moved
  EXPECT_EQ(10u, list.size());
  EXPECT_EQ("f10", list.front());
  EXPECT_EQ("f5", list[5]);
  ui::AddToHistory(list, "");  // an empty text is a text like any other
  EXPECT_EQ("", list.front());
  ui::AddToHistory(list, "");
  EXPECT_EQ(10u, list.size());
  EXPECT_EQ("f10", list[1]);
  EXPECT_EQ("f2", list.back());
}

TEST(RunOptions, FromTheControls) {
  tMainChoices c;
  c.FormatEdit = "hh_";
  c.DateGrpBox = 0;
  c.FileChk = c.DelOrgChk = c.OverWrtChk = c.CopyChk = c.SubDirChk = true;
  const tRunOptions o = ui::RunOptionsFrom(c);
  EXPECT_EQ("hh_", o.Format);
  EXPECT_TRUE(o.OriginalFirst && o.SetFileStamp && o.DropOldName && o.Overwrite && o.CopyFiles &&
              o.Recurse);
  EXPECT_FALSE(o.UseCounter);
  EXPECT_EQ(3, o.CounterWidth);
  c.DateGrpBox = 1;
  EXPECT_FALSE(ui::RunOptionsFrom(c).OriginalFirst);
}

}  // namespace
