#include <gtest/gtest.h>

#include "entry/Batch.h"
#include "entry/Params.h"
#include "platform/AsciiCase.h"
#include "platform/CommandLine.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "ui/Frontend.h"

namespace {

// Records what the switches asked of the user interface.
class RecordingFrontend : public tFrontend {
 public:
  void ShowBatchProgress() override { calls += "progress;"; }
  void ShowUsage() override { calls += "usage;"; }
  void WaitForProgressClose() override { calls += "wait;"; }
  tRunEvents& BatchEvents(const tRunOptions&) override { return events; }
  tCancelToken& BatchCancel() override { return cancel; }
  int BatchDone(const tRunResult&) override { return 0; }
  int RunInteractive(const tReaderOptions&, const std::string&) override { return 0; }
  void ReportFailure(const std::string&) override {}
  std::string calls;

 private:
  struct NoEvents : tRunEvents {
    void Report(const tRunEvent&) override {}
  } events;
  tCancelToken cancel;
};

tBatchCommand Read(const std::vector<std::string>& arguments, RecordingFrontend& frontend) {
  return ReadSwitches(arguments, frontend);
}

}  // namespace

TEST(Switches, DefaultsHoldWithoutSwitches) {
  RecordingFrontend ui;
  const tBatchCommand command = Read({"*.jpg"}, ui);
  EXPECT_EQ("yyyy-mm-dd-hh-nn-ss_", command.Options.Format);
  EXPECT_FALSE(command.Options.Recurse || command.Options.DropOldName ||
               command.Options.OriginalFirst || command.Options.SetFileStamp ||
               command.Options.CopyFiles || command.Options.Overwrite ||
               command.Options.UseCounter);
  EXPECT_EQ(3, command.Options.CounterWidth);
  EXPECT_EQ((std::vector<std::string>{"*.jpg"}), command.Paths);
  EXPECT_EQ("", ui.calls);
}

TEST(Switches, EachSwitchSetsItsFlagWhereverItStands) {
  RecordingFrontend ui;
  const tBatchCommand command =
      Read({"a*.jpg", "/obey", "/t", "/Dxyz", "/y", "/C", "/r", "/Sxyz", "b*.jpg"}, ui);
  EXPECT_TRUE(command.Options.OriginalFirst);
  EXPECT_TRUE(command.Options.SetFileStamp);
  EXPECT_TRUE(command.Options.DropOldName);
  EXPECT_TRUE(command.Options.Overwrite);
  EXPECT_TRUE(command.Options.CopyFiles);
  EXPECT_TRUE(command.Options.Recurse);
  EXPECT_FALSE(command.Options.UseCounter);
  EXPECT_EQ((std::vector<std::string>{"a*.jpg", "b*.jpg"}), command.Paths);
  EXPECT_EQ("progress;", ui.calls);
}

TEST(Switches, FormatKeepsTheCaseAsTypedAndTheLastOneWins) {
  RecordingFrontend ui;
  EXPECT_EQ("yyyymmdd_", Read({"/f:yyyymmdd_"}, ui).Options.Format);
  EXPECT_EQ("", Read({"/F:"}, ui).Options.Format);
  EXPECT_EQ("'Model'_hh", Read({"/F:x", "/F:'Model'_hh"}, ui).Options.Format);
  EXPECT_EQ("yyyy mm", Read({"/F:yyyy mm", "x"}, ui).Options.Format);
}

TEST(Switches, CounterWidthComesAfterTheN) {
  struct Case {
    const char* argument;
    int32_t width;
  };
  const Case cases[] = {{"/N", 3},     {"/N5", 5},   {"/n0", 0}, {"/Nx", 3},
                        {"/N$10", 16}, {"/N-2", -2}, {"/N 4", 4}};
  for (const Case& c : cases) {
    RecordingFrontend ui;
    const tBatchCommand command = Read({c.argument}, ui);
    EXPECT_TRUE(command.Options.UseCounter) << c.argument;
    EXPECT_EQ(c.width, command.Options.CounterWidth) << c.argument;
  }
  RecordingFrontend ui;
  EXPECT_EQ(7, Read({"/N5", "/N7"}, ui).Options.CounterWidth);
}

TEST(Switches, HelpWordsStopEverythingElse) {
  for (const char* word : {"/?", "-?", "/h", "-H", "/version", "-VERSION", "--version"}) {
    RecordingFrontend ui;
    const tBatchCommand command = Read({"first*.jpg", "/S", word, "/R", "later*.jpg"}, ui);
    EXPECT_TRUE(command.Help) << word;
    EXPECT_EQ(platform::AsciiUpper(word).find("VERSION") != std::string::npos, command.Version)
        << word;
    EXPECT_TRUE(command.Paths.empty()) << word;
    EXPECT_FALSE(command.Options.Recurse) << word;  // not read after the help word
    EXPECT_EQ("progress;", ui.calls) << word;
  }
}

TEST(Switches, DoubleDashHelpIsHelpWhereDoubleDashEndsTheSwitches) {
  RecordingFrontend ui;
  const tBatchCommand command = Read({"x*.jpg", "--HELP"}, ui);
  EXPECT_EQ(platform::SlashStartsPaths(), command.Help);
  EXPECT_FALSE(command.Version);
  if (platform::SlashStartsPaths()) {
    EXPECT_EQ((std::vector<std::string>{"--help"}), Read({"--", "--help"}, ui).Paths);
  }
}

TEST(Switches, TheFrontendHearsOfEachPatternAndOfTheEnd) {
  class PatternRecorder : public RecordingFrontend, public tRunEvents {
   public:
    tRunEvents& BatchEvents(const tRunOptions& options) override {
      recurse = options.Recurse;
      return *this;
    }
    void Report(const tRunEvent&) override {}
    void PatternStarting(const std::string& pattern) override {
      calls += "start " + pattern + (recurse ? " /R;" : ";");
    }
    void PatternDone(const std::string& pattern) override { calls += "done " + pattern + ";"; }
    int BatchDone(const tRunResult&) override {
      calls += "end;";
      return 0;
    }
    bool recurse = false;
  } ui;
  test::TempDir dir;
  test::SettingsSandbox settings;
  EXPECT_EQ(0, RunBatch({dir / "a*.jpg", "/R", dir / "b*.jpg"}, ui, {}));
  EXPECT_EQ("start " + dir / "a*.jpg /R;done " + dir / "a*.jpg;start " + dir / "b*.jpg /R;done " +
                dir / "b*.jpg;end;",
            ui.calls);
  ui.calls.clear();
  EXPECT_EQ(0, RunBatch({"/?", dir / "a*.jpg"}, ui, {}));
  EXPECT_EQ("usage;", ui.calls);
}

TEST(Switches, UnknownSwitchesAndWholeWordsOnlyAreHelp) {
  RecordingFrontend ui;
  const tBatchCommand command = Read({"/HELP", "/X", "-S", "/h?"}, ui);
  EXPECT_FALSE(command.Help);
  EXPECT_EQ((std::vector<std::string>{"/HELP", "/X", "-S", "/h?"}), command.Paths);
}

TEST(Switches, ManyMoreSwitchesThanOldLimitsWork) {
  std::vector<std::string> arguments(300, "/R");
  arguments.push_back("photos*.jpg");
  RecordingFrontend ui;
  const tBatchCommand command = Read(arguments, ui);
  EXPECT_EQ((std::vector<std::string>{"photos*.jpg"}), command.Paths);
  tParams params;
  for (int32_t i = 1; i <= 1000; ++i) params.Add(i * 2);
  EXPECT_TRUE(params.Contains(2000));
  EXPECT_FALSE(params.Contains(1999));
}

TEST(Switches, AbsolutePathsAreNoSwitchesWhereSlashBeginsThem) {
  RecordingFrontend ui;
  const tBatchCommand command =
      Read({"/tmp/x/*.jpg", "/srv/p/*.JPG", "/F:yyyy", "--", "/R", "-?"}, ui);
  if (platform::SlashStartsPaths()) {
    EXPECT_EQ((std::vector<std::string>{"/tmp/x/*.jpg", "/srv/p/*.JPG", "/R", "-?"}),
              command.Paths);
    EXPECT_FALSE(command.Options.Recurse);
    EXPECT_FALSE(command.Help);
  } else {
    // On Windows /tmp/x/*.jpg is the switch /T and /srv/p/*.JPG the switch /S.
    EXPECT_TRUE(command.Options.SetFileStamp);
    EXPECT_TRUE(command.Help);
  }
  EXPECT_EQ("yyyy", command.Options.Format);
}

TEST(CommandLine, BlanksSeparateAndQuotesGroupAndVanish) {
  EXPECT_EQ(
      (std::vector<std::string>{"Stampel.exe", "/F:yyyy mm dd_", "C:\\My Photos\\*.jpg", "/R"}),
      platform::SplitCommandLine("Stampel.exe /F:\"yyyy mm dd_\"  \"C:\\My Photos\\*.jpg\" /R"));
  // A backslash before a quote is an ordinary character; no quote reaches an argument.
  EXPECT_EQ((std::vector<std::string>{"x", "C:\\dir\\", "y"}),
            platform::SplitCommandLine("x \"C:\\dir\\\" y\""));
  EXPECT_EQ((std::vector<std::string>{"a", ""}), platform::SplitCommandLine("a \"\""));
  EXPECT_TRUE(platform::SplitCommandLine("   ").empty());
}

TEST(Switches, ListOnlyAndUndoCountOnlyAsWritten) {
  RecordingFrontend ui;
  struct Case {
    const char* word;
    bool listOnly;
    bool undo;
    const char* journal;
  };
  // The newer switches have no prefix rule: /usr, /List and /Undo are paths.
  const Case cases[] = {
      {"/L", true, false, ""},
      {"/l", true, false, ""},
      {"/U", false, true, ""},
      {"/u", false, true, ""},
      {"/u:run 1.txt", false, true, "run 1.txt"},
      // A journal's path after /U: is no path pattern, wherever "/" begins paths.
      {"/U:/home/me/.local/state/stampel/journal/x.txt", false, true,
       "/home/me/.local/state/stampel/journal/x.txt"},
      {"/List", false, false, ""},
      {"/Lx", false, false, ""},
      {"/Undo", false, false, ""},
      {"/usr", false, false, ""},
      {"-L", false, false, ""},
      {"-U", false, false, ""},
  };
  for (const Case& c : cases) {
    const tBatchCommand command = Read({c.word, "*.jpg"}, ui);
    EXPECT_EQ(c.listOnly, command.ListOnly) << c.word;
    EXPECT_EQ(c.undo, command.Undo) << c.word;
    EXPECT_EQ(c.journal, command.UndoJournal) << c.word;
    const std::vector<std::string> paths = c.listOnly || c.undo
                                               ? std::vector<std::string>{"*.jpg"}
                                               : std::vector<std::string>{c.word, "*.jpg"};
    EXPECT_EQ(paths, command.Paths) << c.word;
  }
  EXPECT_EQ("", ui.calls);
}

// /W opens the window, with /W:folder at that folder; only as written, any letter case.
// The newer switches /E, /M and /Z: count only as written too; a /Z: that is no shift is
// refused with its reason.
TEST(Switches, TheWindowAndTheDateSwitchesCountOnlyAsWritten) {
  const struct {
    std::vector<std::string> arguments;
    std::optional<std::string> window;
  } cases[] = {
      {{}, std::nullopt},
      {{"*.jpg", "/R"}, std::nullopt},
      {{"/W"}, ""},
      {{"/w:C:\\photos"}, "C:\\photos"},
      {{"x.jpg", "/W:D:\\My Photos", "/S"}, "D:\\My Photos"},
      {{"/Wide"}, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.window, WindowRequest(c.arguments)) << testing::PrintToString(c.arguments);

  RecordingFrontend ui;
  tBatchCommand command = Read({"/e", "/M", "/z:-0:00:37", "/Elsewhere", "/Mx"}, ui);
  EXPECT_TRUE(command.Options.DatesFromElsewhere && command.Options.FileTimeLastResort);
  EXPECT_EQ(-37000, command.Options.ClockShift);
  EXPECT_EQ((std::vector<std::string>{"/Elsewhere", "/Mx"}), command.Paths);
  EXPECT_TRUE(command.Refusal.empty());
  command = Read({"/Z:+25:00", "*.jpg"}, ui);
  EXPECT_NE(std::string::npos, command.Refusal.find("hours run from 0 to 23")) << command.Refusal;
}
