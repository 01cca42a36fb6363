#include <gtest/gtest.h>

#include "GuiTest.h"
#include "platform/FileOperations.h"
#include "tests/support/Photos.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"
#include "ui/RunLines.h"
#include "ui/win32/ProgressFrm.h"
#include "ui/win32/ProgressFrmRes.h"

namespace {

using ui::win32::TProgressFrm;
namespace id = ui::win32::progress_id;

class StopDuringPass : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    // The run's lines go to the window, and its Stop stops the run, as in a batch with /S.
    run.Run().Events = &lines;
    form.SetStopTarget(&run.cancel);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"})
      test::WriteBytes(dir / name, test::Photo({"2004:05:06 07:08:09"}));
    platform::ForceDirectories(dir / "sub");
    test::WriteBytes(dir / "sub\\f.jpg", test::Photo({"2004:05:06 07:08:09"}));
  }
  test::TempDir dir;
  test::SettingsSandbox settings;
  TProgressFrm form{nullptr};
  ui::tProgressLines lines{&form};
  test::TestRun run;
};

}  // namespace

TEST_F(StopDuringPass, TheClickEndsThePassAfterTheCurrentFile) {
  tRunOptions& options = run.options;
  options.Recurse = true;
  options.DropOldName = true;
  options.UseCounter = true;
  // The click waits in the queue, as a user's does while the pass works on its first file.
  PostMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(id::StopBtn, BN_CLICKED),
               reinterpret_cast<LPARAM>(guitest::Control(form.Handle(), id::StopBtn)));
  EXPECT_EQ(1, run.Rename(dir / "*.jpg"));

  EXPECT_EQ(4u, platform::ListFiles(dir / "?.jpg").size()) << "only the current file was renamed";
  EXPECT_EQ(1u, platform::ListFiles(dir / "sub\\?.jpg").size()) << "no subfolder was entered";
  const std::vector<std::string> rows =
      guitest::ListRows(guitest::Control(form.Handle(), id::ProgressMemo));
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ(0u, rows[0].find("Stampel 1: ")) << "the current file's line, newest first";
  EXPECT_EQ("Stopped...", rows[1]);
  EXPECT_EQ("1", guitest::ControlText(form.Handle(), id::FileNoEdit));

  // The next pass starts again with the flag set and renames the rest.
  run.Rename(dir / "*.jpg");
  EXPECT_TRUE(platform::ListFiles(dir / "?.jpg").empty());
  EXPECT_TRUE(platform::ListFiles(dir / "sub\\?.jpg").empty());
}
