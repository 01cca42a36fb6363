#include <gtest/gtest.h>

#include "GuiTest.h"
#include "ui/About.h"
#include "ui/Frontend.h"
#include "ui/win32/ProgressFrmRes.h"
#include "ui/win32/VersionFrmRes.h"
#include "ui/win32/WinFrontend.h"

namespace {

using ui::win32::WindowsFrontend;

class Frontend : public ::testing::Test {
 protected:
  void SetUp() override { WindowsFrontend().DestroyProgressWindow(); }
  void TearDown() override { WindowsFrontend().DestroyProgressWindow(); }
};

// Presses OK in the about window as soon as it shows, noting its title.
struct CloseAboutWindow {
  std::string title;
  bool progressVisibleMeanwhile = false;
  guitest::WhenShown watch{
      L"StampelVersion", [this](HWND window) {
        title = guitest::ControlText(window, ui::win32::version_id::TitleLbl);
        auto* progress = WindowsFrontend().ProgressFrm();
        progressVisibleMeanwhile = progress && IsWindowVisible(progress->Handle());
        SendMessageW(guitest::Control(window, ui::win32::version_id::OkBtn), BM_CLICK, 0, 0);
      }};
};

TEST_F(Frontend, FrontendIsTheWindowsOne) {
  EXPECT_EQ(static_cast<tFrontend*>(&WindowsFrontend()), &::Frontend());
}

// One file's event of the batch run.
void ReportTransfer(tRunEvents& events) {
  tRunEvent event;
  event.Kind = tRunEventKind::Transferring;
  event.Number = 1;
  event.Path = "a.jpg";
  event.Target = "b.jpg";
  events.Report(event);
}

TEST_F(Frontend, BatchProgressIsCreatedShownAndHandedToThePass) {
  EXPECT_EQ(nullptr, WindowsFrontend().ProgressFrm());
  ::Frontend().ShowBatchProgress();
  auto* progress = WindowsFrontend().ProgressFrm();
  ASSERT_NE(nullptr, progress);
  EXPECT_TRUE(progress->BatchMode());
  EXPECT_TRUE(IsWindowVisible(progress->Handle()));
  EXPECT_FALSE(
      guitest::IsShown(guitest::Control(progress->Handle(), ui::win32::progress_id::CloseBtn)));

  // The batch run's events are its lines.
  ReportTransfer(::Frontend().BatchEvents(tRunOptions()));
  guitest::WaitForRefresh();
  EXPECT_EQ("1", guitest::ControlText(progress->Handle(), ui::win32::progress_id::FileNoEdit));
  EXPECT_EQ("Stampel 1: a.jpg -> b.jpg", progress->Lines().Line(0));
  // Its Stop stops the pattern under way.
  tCancelToken& cancel = ::Frontend().BatchCancel();
  cancel.BeginPattern();
  progress->StopBtnClick();
  EXPECT_TRUE(cancel.Stopped());
  cancel.BeginPattern();

  // A second /S keeps the one window.
  ::Frontend().ShowBatchProgress();
  EXPECT_EQ(progress, WindowsFrontend().ProgressFrm());
}

TEST_F(Frontend, HelpWordShowsTheAboutWindow) {
  CloseAboutWindow closer;
  ::Frontend().ShowUsage();
  EXPECT_TRUE(closer.watch.Acted());
  EXPECT_FALSE(closer.watch.Failed());
  EXPECT_EQ(about::TitleText(), closer.title);
  EXPECT_EQ(nullptr, WindowsFrontend().ProgressFrm()) << "no progress window without /S";
}

TEST_F(Frontend, HelpWordAfterSHidesTheProgressWindowFirst) {
  ::Frontend().ShowBatchProgress();
  auto* progress = WindowsFrontend().ProgressFrm();
  ASSERT_TRUE(IsWindowVisible(progress->Handle()));
  CloseAboutWindow closer;
  ::Frontend().ShowUsage();
  EXPECT_TRUE(closer.watch.Acted());
  EXPECT_FALSE(closer.watch.Failed());
  EXPECT_FALSE(closer.progressVisibleMeanwhile);
  EXPECT_FALSE(IsWindowVisible(progress->Handle()));
}

TEST_F(Frontend, FailureIsReportedInTheErrorBox) {
  guitest::MessageBoxWatcher watcher;
  ::Frontend().ReportFailure("CopyFileExt() - I/O Error 112");
  watcher.Finish();
  EXPECT_TRUE(watcher.Seen());
  EXPECT_EQ("CopyFileExt() - I/O Error 112", watcher.Text());
}

TEST_F(Frontend, InteractiveProgressWindowStandsBesideTheMainWindow) {
  guitest::TestMainWindow main(20, 30, 300, 250);
  auto& progress = WindowsFrontend().CreateProgressWindow(main);
  EXPECT_FALSE(progress.BatchMode());
  EXPECT_FALSE(IsWindowVisible(progress.Handle()));
  EXPECT_EQ(guitest::WindowRectOf(main.MainWindowHandle()).top,
            guitest::WindowRectOf(progress.Handle()).top);
  WindowsFrontend().DestroyProgressWindow();
  EXPECT_EQ(nullptr, WindowsFrontend().ProgressFrm());
}

}  // namespace

namespace {

TEST_F(Frontend, AfterAListTheBatchProgressWindowStaysUntilItsCloseButtonIsPressed) {
  ::Frontend().ShowBatchProgress();
  auto* progress = WindowsFrontend().ProgressFrm();
  ASSERT_NE(nullptr, progress);
  ReportTransfer(::Frontend().BatchEvents(tRunOptions()));
  bool closeShown = false;
  guitest::WhenShown press(L"StampelProgress", [&](HWND window) {
    HWND close = guitest::Control(window, ui::win32::progress_id::CloseBtn);
    closeShown = guitest::IsShown(close);
    SendMessageW(close, BM_CLICK, 0, 0);
  });
  ::Frontend().WaitForProgressClose();
  EXPECT_TRUE(press.Acted());
  EXPECT_FALSE(press.Failed()) << "the Close button did not end the wait";
  EXPECT_TRUE(closeShown);
  EXPECT_FALSE(IsWindowVisible(progress->Handle()));
}

TEST_F(Frontend, WithoutAProgressWindowThereIsNothingToWaitFor) {
  ::Frontend().WaitForProgressClose();
  EXPECT_EQ(nullptr, WindowsFrontend().ProgressFrm());
}

}  // namespace
