#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "MainWindowFixture.h"
// After the Windows headers that the fixture brings.
#include <shellapi.h>
#include <shlobj.h>

#include "engine/format/FormatTimestamp.h"
#include "engine/pass/RenameDirectory.h"
#include "engine/pass/TargetName.h"
#include "platform/Clock.h"
#include "platform/FileOperations.h"
#include "platform/win32/WinText.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/Photos.h"
#include "tests/support/TempDir.h"
#include "ui/win32/ProgressFrmRes.h"

namespace {

using guitest::MainWindowTest;
namespace id = ui::win32::stampel_id;

std::vector<std::string> SortedFiles(const std::string& pattern) {
  std::vector<std::string> names = platform::ListFiles(pattern);
  std::sort(names.begin(), names.end());
  return names;
}

class MainRun : public MainWindowTest {
 protected:
  void AddPhotos() {
    test::WriteBytes(dir / "IMG_0001.JPG",
                     test::Photo({"2004:05:07 10:00:00", "2004:05:06 07:08:09"}));
    test::WriteBytes(dir / "IMG_0002.JPG",
                     test::Photo({"2005:12:24 18:30:00", "2005:12:24 18:29:00"}));
    test::WriteBytes(dir / "notes.jpg", "no photo at all");
  }
  // Runs with the Yes/No question answered, returning its caption and text.
  std::pair<std::string, std::string> RunAnswering(int button) {
    guitest::MessageBoxWatcher watcher(button);
    Click(id::RunBtn);
    watcher.Finish();
    EXPECT_TRUE(watcher.Seen());
    return {watcher.Caption(), watcher.Text()};
  }
  std::wstring Wide(const std::string& text) { return platform::win32::Widen(text); }

  test::TempDir dir;
};

TEST_F(MainRun, RunsAsTheBatchToolWouldThenAsks) {
  AddPhotos();
  Open();
  Retype(id::FilePathEdit, Wide(dir / "*.jpg"));
  Click(id::FileNoChk);
  const int32_t counter = form->Presenter().Counter();

  const auto [caption, text] = RunAnswering(IDNO);
  EXPECT_EQ("Stampel", caption);
  EXPECT_EQ("2 files renamed..\r\n\nQuit program?", text);
  EXPECT_EQ("2 files renamed.", Text(id::FilesDoneLbl));
  EXPECT_EQ(0, closed) << "No keeps the window";
  // The names the batch tool gives: /O /N, the counter running on from before.
  EXPECT_EQ(
      (std::vector<std::string>{
          "2004-05-06-07-08-09_IMG_0001" + CounterText(counter + 1, 3) + ".JPG",
          "2005-12-24-18-29-00_IMG_0002" + CounterText(counter + 2, 3) + ".JPG", "notes.jpg"}),
      SortedFiles(dir / "*"));
  EXPECT_TRUE(IsWindowVisible(progress->Handle())) << "Show Activity is on";
  EXPECT_EQ("2", guitest::ControlText(progress->Handle(), ui::win32::progress_id::FileNoEdit));
  EXPECT_FALSE(guitest::IsShown(Ctl(id::ShowProgressBtn))) << "Auto hides it after the run";
  EXPECT_TRUE(IsWindowEnabled(Ctl(id::RunBtn)) && IsWindowEnabled(Ctl(id::QuitBtn)));
  EXPECT_TRUE(MenuEnabled(id::RunMenu) && MenuEnabled(id::QuitMenu));

  // A second run continues the numbering; Yes closes the window.
  test::WriteBytes(dir / "IMG_0003.JPG", test::Photo({"2006:01:01 00:00:00"}));
  Retype(id::FilePathEdit, Wide(dir / "IMG_0003.JPG"));
  RunAnswering(IDYES);
  EXPECT_TRUE(platform::FileExists(
      dir / ("2006-01-01-00-00-00_IMG_0003" + CounterText(counter + 3, 3) + ".JPG")));
  EXPECT_EQ(1, closed);
}

TEST_F(MainRun, EnterInTheFormatBoxRuns) {
  Open();
  Retype(id::FilePathEdit, Wide(dir / "none*.jpg"));
  guitest::MessageBoxWatcher watcher(IDNO);
  guitest::PressKey(EditOf(id::FormatEdit), VK_RETURN);
  watcher.Finish();
  EXPECT_TRUE(watcher.Seen()) << "the run's question came";
  EXPECT_EQ("0 files renamed.", Text(id::FilesDoneLbl));
}

TEST_F(MainRun, DuringTheRunTheRunAndQuitControlsAreDisabled) {
  AddPhotos();
  Open();
  Retype(id::FilePathEdit, Wide(dir / "*.jpg"));
  struct Seen {
    bool runEnabled = true, quitEnabled = true, runMenu = true, quitMenu = true, button = false;
    std::string filesDone = "?";
  } seen;
  // Looked at from inside the pass, while the first file's line comes in.
  bool looked = false;
  struct Probe : ui::tProgressSink {
    std::function<void()> look;
    ui::tProgressSink* inner;
    void AddLine(const std::string& t, int32_t i) override {
      look();
      inner->AddLine(t, i);
    }
    void AddAlertLine(const std::string& t, int32_t i) override { inner->AddAlertLine(t, i); }
    void ClearStatus() override { inner->ClearStatus(); }
  } probe;
  probe.inner = progress;
  probe.look = [&] {
    if (looked) return;
    looked = true;
    seen.runEnabled = IsWindowEnabled(Ctl(id::RunBtn));
    seen.quitEnabled = IsWindowEnabled(Ctl(id::QuitBtn));
    seen.runMenu = MenuEnabled(id::RunMenu);
    seen.quitMenu = MenuEnabled(id::QuitMenu);
    seen.button = guitest::IsShown(Ctl(id::ShowProgressBtn));
    seen.filesDone = Text(id::FilesDoneLbl);
    // Enter and Ctrl+X do nothing now.
    guitest::PressKey(EditOf(id::FormatEdit), VK_RETURN);
  };
  form->RunLines().SetSink(&probe);
  RunAnswering(IDNO);
  form->RunLines().SetSink(progress);
  ASSERT_TRUE(looked);
  EXPECT_FALSE(seen.runEnabled);
  EXPECT_FALSE(seen.quitEnabled);
  EXPECT_FALSE(seen.runMenu);
  EXPECT_FALSE(seen.quitMenu);
  EXPECT_TRUE(seen.button) << "Auto shows the button while the run lasts";
  EXPECT_EQ("", seen.filesDone) << "the label changes only when the pass returns";
  EXPECT_EQ("2 files renamed.", Text(id::FilesDoneLbl));
}

TEST_F(MainRun, PreviewFromTheMenuListsTheRunAndChangesNothing) {
  AddPhotos();
  Open();
  Retype(id::FilePathEdit, Wide(dir / "*.jpg"));
  Click(id::DisplayChk);  // the preview shows its list all the same
  const std::vector<std::string> before = SortedFiles(dir / "*");
  Menu(id::PreviewMenu);
  EXPECT_EQ(before, SortedFiles(dir / "*"));
  EXPECT_TRUE(IsWindowVisible(progress->Handle()));
  guitest::WaitForRefresh();
  HWND list = GetDlgItem(progress->Handle(), ui::win32::progress_id::ProgressMemo);
  const std::vector<std::string> listed = guitest::ListRows(list);
  ASSERT_EQ(3u, listed.size());
  EXPECT_TRUE(ListOf(id::FormatEdit).empty()) << "a preview is no run: the history stays";
  EXPECT_TRUE(MenuEnabled(id::RunMenu) && MenuEnabled(id::PreviewMenu));

  // The real run gives the same lines.
  RunAnswering(IDNO);
  guitest::WaitForRefresh();
  const std::vector<std::string> all = guitest::ListRows(list);
  ASSERT_EQ(6u, all.size());
  EXPECT_EQ(listed, std::vector<std::string>(all.begin(), all.begin() + 3));
}

TEST_F(MainRun, UndoFromTheMenuAsksThenPutsTheRunBack) {
  AddPhotos();
  Open();
  Retype(id::FilePathEdit, Wide(dir / "*.jpg"));
  const std::vector<std::string> before = SortedFiles(dir / "*");
  RunAnswering(IDNO);
  ASSERT_NE(before, SortedFiles(dir / "*"));
  {
    guitest::MessageBoxWatcher no(IDNO);
    Menu(id::UndoMenu);
    no.Finish();
    EXPECT_TRUE(no.Seen());
    EXPECT_NE(std::string::npos, no.Text().find("2 files")) << no.Text();
  }
  EXPECT_NE(before, SortedFiles(dir / "*")) << "No changes nothing";
  {
    guitest::MessageBoxWatcher yes(IDYES);
    Menu(id::UndoMenu);
    yes.Finish();
  }
  EXPECT_EQ(before, SortedFiles(dir / "*"));
  EXPECT_EQ("2 files put back.", Text(id::FilesDoneLbl));
  EXPECT_TRUE(IsWindowVisible(progress->Handle()));
}

TEST_F(MainRun, ShowActivityClearHidesTheProgressWindow) {
  Open();
  progress->Show();
  Click(id::DisplayChk);
  Retype(id::FilePathEdit, Wide(dir / "none*.jpg"));
  const auto result = RunAnswering(IDNO);
  EXPECT_EQ("0 files renamed..\r\n\nQuit program?", result.second);
  EXPECT_FALSE(IsWindowVisible(progress->Handle()));
}

TEST_F(MainRun, HistoriesKeepTheFirstSpellingAndTheTenNewest) {
  Open();
  Retype(id::FilePathEdit, Wide(dir / "none*.jpg"));
  Retype(id::FormatEdit, L"Yyyy_");
  RunAnswering(IDNO);
  Retype(id::FormatEdit, L"yYYY_");
  RunAnswering(IDNO);
  EXPECT_EQ((std::vector<std::string>{"Yyyy_"}), ListOf(id::FormatEdit));
  for (int i = 0; i < 11; ++i) {
    Retype(id::FormatEdit, L"f" + std::to_wstring(i) + L"_");
    RunAnswering(IDNO);
  }
  const std::vector<std::string> formats = ListOf(id::FormatEdit);
  ASSERT_EQ(10u, formats.size());
  EXPECT_EQ("f10_", formats.front());
  EXPECT_EQ("f1_", formats.back());
  EXPECT_EQ(dir / "none*.jpg", ListOf(id::FilePathEdit).front());
  EXPECT_EQ("f10_", Text(id::FormatEdit)) << "the box keeps its text";

  Close();
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(formats[static_cast<size_t>(i)],
              SettingsStore.ReadStringValue("FormatHistory" + std::to_string(i)));
  EXPECT_EQ(dir / "none*.jpg", SettingsStore.ReadStringValue("FilepathHistory0"));
  EXPECT_EQ("*.jpg", SettingsStore.ReadStringValue("FilepathHistory1"));
}

// On at the first start: a photo's sidecar moves with it. Cleared, the next run leaves
// sidecars where they are, and the choice is the value Companions at the next start.
TEST_F(MainRun, TheSidecarsBoxDecidesWhetherSidecarsMoveAlongAndIsRemembered) {
  test::WriteBytes(dir / "IMG_0001.JPG", test::Photo({"2004:05:06 07:08:09"}));
  test::WriteBytes(dir / "IMG_0001.xmp", "<x:xmpmeta/>");
  test::WriteBytes(dir / "IMG_0002.JPG", test::Photo({"2005:12:24 18:30:00"}));
  test::WriteBytes(dir / "IMG_0002.JPG.xmp", "<x:xmpmeta/>");
  Open();
  EXPECT_TRUE(Checked(id::CompanionChk));
  Click(id::DisplayChk);
  Retype(id::FilePathEdit, Wide(dir / "IMG_0001.JPG"));
  RunAnswering(IDNO);
  Click(id::CompanionChk);
  EXPECT_FALSE(Checked(id::CompanionChk));
  Retype(id::FilePathEdit, Wide(dir / "IMG_0002.JPG"));
  RunAnswering(IDNO);
  EXPECT_EQ((std::vector<std::string>{"2004-05-06-07-08-09_IMG_0001.JPG",
                                      "2004-05-06-07-08-09_IMG_0001.xmp",
                                      "2005-12-24-18-30-00_IMG_0002.JPG", "IMG_0002.JPG.xmp"}),
            SortedFiles(dir / "*"));
  Close();
  EXPECT_EQ(0, SettingsStore.ReadIntegerValue("Companions"));
  settings.Reload();
  Open();
  EXPECT_FALSE(Checked(id::CompanionChk));
}

// The two date check boxes and the shift box: the batch line and the example show them, a
// run uses them, a shift that is none stops the run with the reason, and they are
// remembered.
TEST_F(MainRun, DatesFromElsewhereAndTheClockShift) {
  test::WriteBytes(dir / "IMG-20230101-WA0001.jpg",
                   test::JpegFile(test::JpegSegment(0xE0, std::string("JFIF\0", 5))));
  Open();
  EXPECT_FALSE(Checked(id::ElsewhereChk) || Checked(id::FileTimeChk));
  EXPECT_EQ("", Text(id::ShiftEdit));
  Retype(id::FilePathEdit, Wide(dir / "*.jpg"));
  Retype(id::FormatEdit, L"yyyymmdd_hhnnss_");
  Click(id::DisplayChk);
  Click(id::ElsewhereChk);
  Click(id::FileTimeChk);
  SendMessageW(Ctl(id::ShiftEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"+1.00:00"));
  guitest::Pump();
  EXPECT_EQ("/F:\"yyyymmdd_hhnnss_\" " + (dir / "*.jpg") + " /O /E /M /Z:+1.00:00", BatchLine());
  EXPECT_EQ(FormatTimestamp("yyyymmdd_", platform::LocalNow() + 1), Example().substr(0, 9))
      << "the example's moment is shifted too";

  // No shift: nothing runs, and the user reads why.
  SendMessageW(Ctl(id::ShiftEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1 hour"));
  guitest::Pump();
  {
    guitest::MessageBoxWatcher watcher(IDOK);
    Click(id::RunBtn);
    watcher.Finish();
    ASSERT_TRUE(watcher.Seen());
    EXPECT_NE(std::string::npos, watcher.Text().find("\"1 hour\" is no clock shift"))
        << watcher.Text();
  }
  EXPECT_TRUE(test::Exists(dir / "IMG-20230101-WA0001.jpg"));

  SendMessageW(Ctl(id::ShiftEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"-1:00"));
  guitest::Pump();
  RunAnswering(IDNO);
  EXPECT_EQ((std::vector<std::string>{"20221231_230000_IMG-20230101-WA0001.jpg"}),
            SortedFiles(dir / "*"))
      << "the name's date, an hour earlier";
  Close();
  EXPECT_TRUE(SettingsStore.ReadBoolValue("LastDatesFromElsewhere"));
  EXPECT_TRUE(SettingsStore.ReadBoolValue("LastFileTimeDates"));
  EXPECT_EQ("-1:00", SettingsStore.ReadStringValue("LastClockShift"));
  settings.Reload();
  Open();
  EXPECT_TRUE(Checked(id::ElsewhereChk) && Checked(id::FileTimeChk));
  EXPECT_EQ("-1:00", Text(id::ShiftEdit));
}

TEST_F(MainRun, RegistryValuesAfterClosingAndTheRestartThatRestoresThem) {
  Open();
  const std::string path = "Z:\\Fotos\\日本 é ß 📷\\*.nef";
  Retype(id::FilePathEdit, Wide(path));
  Click(id::FirstSample + 6);
  Retype(id::FormatEdit, L"yyyymmdd_hhnnss_'x'");
  Click(id::IntTSRadio);
  Click(id::FileChk);
  Click(id::SubDirChk);
  Click(id::DisplayChk);
  Close();

  tSettingsStore& s = SettingsStore;
  EXPECT_EQ(path, s.ReadStringValue("LastPath"));
  EXPECT_EQ("yyyymmdd_hhnnss_'x'", s.ReadStringValue("LastFormat"));
  EXPECT_EQ(6, s.ReadIntegerValue("LastFormatSelection"));
  EXPECT_EQ(1, s.ReadIntegerValue("LastOrgDateTime"));
  EXPECT_FALSE(s.ReadBoolValue("LastDelOrgName"));
  EXPECT_TRUE(s.ReadBoolValue("LastTSMod"));
  EXPECT_FALSE(s.ReadBoolValue("LastFileNumber"));
  EXPECT_FALSE(s.ReadBoolValue("LastFileCopy"));
  EXPECT_TRUE(s.ReadBoolValue("LastSubDirCycle"));
  EXPECT_FALSE(s.ReadBoolValue("LastOverwrite"));
  EXPECT_FALSE(s.ReadBoolValue("LastProgressDisplay"));
  EXPECT_EQ("*.jpg", s.ReadStringValue("FilepathHistory0"));
  EXPECT_EQ("*.avi", s.ReadStringValue("FilepathHistory5"));
  EXPECT_EQ("", s.ReadStringValue("FormatHistory0"));

  settings.Reload();
  Open();
  EXPECT_EQ(path, Text(id::FilePathEdit));
  EXPECT_EQ("yyyymmdd_hhnnss_'x'", Text(id::FormatEdit)) << "the stored text wins over the sample";
  EXPECT_TRUE(Checked(id::FirstSample + 6));
  EXPECT_TRUE(Checked(id::IntTSRadio));
  EXPECT_TRUE(Checked(id::FileChk) && Checked(id::SubDirChk));
  EXPECT_FALSE(Checked(id::DisplayChk));
  EXPECT_EQ("/F:\"yyyymmdd_hhnnss_'x'\" " + path + " /T /R", BatchLine());
  EXPECT_FALSE(MenuChecked(id::OrgTSMenu));
  EXPECT_TRUE(MenuChecked(id::IntTSMenu) && MenuChecked(id::FileMenu) &&
              MenuChecked(id::SubDirMenu));
}

TEST_F(MainRun, ASeededKeyWithGapsAndWrongTypes) {
  tSettingsStore& s = SettingsStore;
  s.WriteStringValue("FormatHistory0", "a_");
  s.WriteStringValue("FormatHistory2", "c_");
  s.WriteIntegerValue("FormatHistory3", 1);
  s.WriteStringValue("FormatHistory4", "e_");
  s.WriteStringValue("FilepathHistory1", "x\\*.pef");
  s.WriteStringValue("LastOverwrite", "1");  // wrong type: the box stays clear
  s.WriteIntegerValue("LastFileNumber", 9);  // non-zero: set
  s.WriteIntegerValue("LastFormatSelection", 44);
  s.WriteStringValue("LastPath", "");
  s.WriteIntegerValue("LastFormat", 3);
  s.WriteIntegerValue("DisplayProgressButton", 7);
  settings.Reload();
  Open();
  EXPECT_EQ((std::vector<std::string>{"a_", "c_"}), ListOf(id::FormatEdit));
  EXPECT_EQ((std::vector<std::string>{"x\\*.pef"}), ListOf(id::FilePathEdit));
  EXPECT_FALSE(Checked(id::OverWrtChk));
  EXPECT_TRUE(Checked(id::FileNoChk));
  EXPECT_TRUE(Checked(id::FirstSample + 10)) << "the last sample";
  EXPECT_EQ("*.jpg", Text(id::FilePathEdit));
  EXPECT_EQ("yyyy-mm-dd-hh-nn-ss_", Text(id::FormatEdit));
  EXPECT_TRUE(MenuChecked(id::AutoHideMenu));
  Close();
  // The two-entry list is written as 0 and 1; number 2 stays.
  EXPECT_EQ("c_", s.ReadStringValue("FormatHistory1"));
  EXPECT_EQ("c_", s.ReadStringValue("FormatHistory2"));
}

TEST_F(MainRun, SearchOpensTheShellsFolderBrowserAndRewritesThePattern) {
  platform::ForceDirectories(dir / "Fotos é 日本");
  Open();
  Retype(id::FilePathEdit, Wide(dir / "IMG_*.nef"));
  struct Found {
    std::string title;
    bool newFolderButton = false;
  } found;
  guitest::WhenShown browse(L"#32770", [&](HWND dialog) {
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
          auto* f = reinterpret_cast<Found*>(data);
          const std::string text = guitest::TextOf(child);
          if (text == "Select the Directory to process:") f->title = text;
          if (text.find("New Folder") != std::string::npos && IsWindowVisible(child))
            f->newFolderButton = true;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    const std::wstring chosen = Wide(dir / "Fotos é 日本");
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(chosen.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  Click(id::SearchBtn);
  EXPECT_TRUE(browse.Acted());
  EXPECT_FALSE(browse.Failed());
  EXPECT_EQ("Select the Directory to process:", found.title);
  EXPECT_FALSE(found.newFolderButton);
  const std::string folder = dir / "Fotos é 日本";
  EXPECT_EQ(folder + "\\*.nef", Text(id::FilePathEdit));
  EXPECT_NE(std::string::npos, BatchLine().find(folder + "\\*.nef"));
  EXPECT_EQ(6u, ListOf(id::FilePathEdit).size()) << "the history is not touched";
}

TEST_F(MainRun, SearchFromTheMenuWithAPickerStartsAtCWithoutAFolder) {
  Open();
  std::vector<std::string> starts;
  form->SetFolderPicker([&](const std::string& start) -> std::optional<std::string> {
    starts.push_back(start);
    return starts.size() == 1 ? std::optional<std::string>("E:\\") : std::nullopt;
  });
  Menu(id::SearchMenu);
  EXPECT_EQ("E:\\*.jpg", Text(id::FilePathEdit));
  Menu(id::SearchMenu);  // cancelled
  EXPECT_EQ("E:\\*.jpg", Text(id::FilePathEdit));
  EXPECT_EQ((std::vector<std::string>{"C:\\", "C:\\"}), starts) << "E:\\ is no folder here";
}

TEST_F(MainRun, UnicodeFolderTypedRunStoredAndRestored) {
  const std::string folder = dir / "Urlaub é ß 日本 📷";
  platform::ForceDirectories(folder);
  test::WriteBytes(folder + "\\IMG_0001.JPG", test::Photo({"2004:05:07 10:00:00"}));
  Open();
  Click(id::DelOrgChk);
  Click(id::IntTSRadio);
  Retype(id::FilePathEdit, Wide(folder + "\\*.JPG"));
  RunAnswering(IDNO);
  EXPECT_EQ((std::vector<std::string>{"2004-05-07-10-00-00_.JPG"}), SortedFiles(folder + "\\*"));
  Restart();
  EXPECT_EQ(folder + "\\*.JPG", Text(id::FilePathEdit));
  EXPECT_EQ(folder + "\\*.JPG", ListOf(id::FilePathEdit).front());
}

// What a long run looks like from outside the pass: a timer that ticks through it, which
// invalidates the main window and sees it painted again by the next tick, and clicks Stop
// once enough files are done.
struct LongRunWatch {
  HWND main = nullptr;
  HWND stop = nullptr;
  const ui::win32::TProgressFrm* progress = nullptr;
  uint32_t stopAt = 0;
  int ticks = 0;
  int paintsSeen = 0;
  bool invalidated = false;
  bool stopped = false;
};
LongRunWatch* longRun = nullptr;

void CALLBACK LongRunTick(HWND, UINT, UINT_PTR, DWORD) {
  LongRunWatch& w = *longRun;
  ++w.ticks;
  if (w.invalidated && !GetUpdateRect(w.main, nullptr, FALSE)) ++w.paintsSeen;
  // A corner of the window, as another window moving over it would uncover it.
  const RECT corner{0, 0, 60, 40};
  InvalidateRect(w.main, &corner, TRUE);
  w.invalidated = true;
  if (!w.stopped && w.ticks >= 10 && w.progress->ProcessedCount() >= w.stopAt) {
    w.stopped = true;
    SendMessageW(w.stop, BM_CLICK, 0, 0);
  }
}

// 2,000 files unless STAMPEL_LONG_RUN_FILES says otherwise (20,000 for the full check).
TEST_F(MainRun, ALongRunStaysPaintedAndStopEndsIt) {
  const char* wanted = std::getenv("STAMPEL_LONG_RUN_FILES");
  const int files = wanted ? std::max(300, std::atoi(wanted)) : 2000;
  const std::string photo = test::Photo({"2004:05:07 10:00:00"});
  platform::ForceDirectories(dir / "many");
  for (int i = 0; i < files; ++i)
    test::WriteBytes(dir / ("many\\IMG_" + std::to_string(10000 + i) + ".JPG"), photo);
  Open();
  Retype(id::FilePathEdit, Wide(dir / "many\\*.JPG"));
  ASSERT_TRUE(Checked(id::DisplayChk));

  LongRunWatch watch;
  watch.main = Form();
  watch.stop = GetDlgItem(progress->Handle(), ui::win32::progress_id::StopBtn);
  watch.progress = progress;
  watch.stopAt = progress->ProcessedCount() + 100;
  longRun = &watch;
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, LongRunTick);
  RunAnswering(IDNO);
  KillTimer(nullptr, timer);
  longRun = nullptr;

  ASSERT_TRUE(watch.stopped);
  const std::string done = Text(id::FilesDoneLbl);
  const int renamed = std::atoi(done.c_str());
  EXPECT_GE(renamed, 100);
  EXPECT_LT(renamed, files) << "Stop ended the run early";
  EXPECT_EQ(static_cast<size_t>(renamed), platform::ListFiles(dir / "many\\2004*").size());
  EXPECT_EQ(static_cast<size_t>(files - renamed), platform::ListFiles(dir / "many\\IMG_*").size());
  EXPECT_GE(watch.ticks, 5);
  EXPECT_GE(watch.paintsSeen, watch.ticks / 2) << "the window repainted while the pass ran";
  const std::vector<std::string> rows =
      guitest::ListRows(GetDlgItem(progress->Handle(), ui::win32::progress_id::ProgressMemo), 3);
  ASSERT_FALSE(rows.empty());
  EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), "Stopped..."));
  std::printf("[ FIGURES  ] %d files: stopped after %d, %d ticks, %d repaints seen\n", files,
              renamed, watch.ticks, watch.paintsSeen);
}

TEST_F(MainRun, TheInteractiveModeOpensTheMainWindowAndSavesAtTheEnd) {
  bool progressHiddenAndBeside = false;
  guitest::WhenShown quit(L"StampelMain", [&](HWND main) {
    auto* p = ui::win32::WindowsFrontend().ProgressFrm();
    progressHiddenAndBeside = p && !IsWindowVisible(p->Handle()) && !p->BatchMode();
    HWND copy = GetDlgItem(main, id::CopyChk);
    SendMessageW(copy, BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(main, id::QuitBtn), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(0, ui::win32::WindowsFrontend().RunInteractive(tReaderOptions(), ""));
  EXPECT_TRUE(quit.Acted());
  EXPECT_FALSE(quit.Failed());
  EXPECT_TRUE(progressHiddenAndBeside);
  EXPECT_TRUE(SettingsStore.ReadBoolValue("LastFileCopy"));
  EXPECT_EQ(nullptr, ui::win32::WindowsFrontend().ProgressFrm());
}

// /W:folder, as Explorer's "Rename photos by date..." starts the program: the window opens
// with the folder and the remembered pattern's name part in its path box.
TEST_F(MainRun, StartedForAFolderTheWindowOpensAtIt) {
  SettingsStore.WriteStringValue("LastPath", "D:\\Old\\IMG_*.nef");
  settings.Reload();
  std::string path;
  guitest::WhenShown quit(L"StampelMain", [&](HWND main) {
    path = guitest::TextOf(GetDlgItem(main, id::FilePathEdit));
    SendMessageW(GetDlgItem(main, id::QuitBtn), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(0, ui::win32::WindowsFrontend().RunInteractive(tReaderOptions(), "C:\\photos"));
  EXPECT_TRUE(quit.Acted());
  EXPECT_EQ("C:\\photos\\IMG_*.nef", path);
}

// A dropped folder becomes the path box's folder; a dropped file its folder and extension.
TEST_F(MainRun, AFolderOrAFileDroppedOnTheWindowSetsThePathBox) {
  platform::ForceDirectories(dir / "Fotos é");
  test::WriteBytes(dir / "Fotos é\\DSC_0001.NEF", "raw");
  Open();
  Retype(id::FilePathEdit, L"C:\\x\\*.jpg");
  const auto drop = [&](const std::string& path) {
    const std::wstring wide = Wide(path);
    // DROPFILES, then the names, each ending in a zero, and one more zero.
    const size_t bytes = sizeof(DROPFILES) + (wide.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), wide.c_str(),
                wide.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    SendMessageW(Form(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    guitest::Pump();
  };
  drop(dir / "Fotos é");
  EXPECT_EQ(dir / "Fotos é\\*.jpg", Text(id::FilePathEdit));
  drop(dir / "Fotos é\\DSC_0001.NEF");
  EXPECT_EQ(dir / "Fotos é\\*.NEF", Text(id::FilePathEdit));
  EXPECT_NE(std::string::npos, BatchLine().find(dir / "Fotos é\\*.NEF"))
      << "the batch line follows";
}

}  // namespace
