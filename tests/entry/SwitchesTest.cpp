#include <gtest/gtest.h>

#include "entry/Batch.h"
#include "entry/Params.h"
#include "platform/AsciiCase.h"
#include "platform/CommandLine.h"
#include "tests/support/TempDir.h"
#include "ui/Frontend.h"

namespace {

// Records what the switches asked of the user interface.
class RecordingFrontend : public tFrontend {
 public:
  void ShowBatchProgress() override { calls += "progress;"; }
  void ShowUsage() override { calls += "usage;"; }
  void WaitForProgressClose() override { calls += "wait;"; }
  int RunInteractive() override { return 0; }
  void ReportFailure(const std::string&) override {}
  std::string calls;
};

tBatchCommand Read(const std::vector<std::string>& arguments, RecordingFrontend& frontend) {
  return ReadSwitches(arguments, frontend);
}

}  // namespace

TEST(Switches, DefaultsHoldWithoutSwitches) {
  RecordingFrontend ui;
  const tBatchCommand command = Read({"*.jpg"}, ui);
  EXPECT_EQ("yyyy-mm-dd-hh-nn-ss_", command.options.Format);
  EXPECT_FALSE(command.options.Recurse || command.options.DropOldName || command.options.OriginalFirst ||
               command.options.SetFileStamp || command.options.CopyFiles || command.options.Overwrite ||
               command.options.UseCounter);
  EXPECT_EQ(3, command.options.CounterWidth);
  EXPECT_EQ((std::vector<std::string>{"*.jpg"}), command.paths);
  EXPECT_EQ("", ui.calls);
}

TEST(Switches, EachSwitchSetsItsFlagWhereverItStands) {
  RecordingFrontend ui;
  const tBatchCommand command =
      Read({"a*.jpg", "/obey", "/t", "/Dxyz", "/y", "/C", "/r", "/Sxyz", "b*.jpg"}, ui);
  EXPECT_TRUE(command.options.OriginalFirst);
  EXPECT_TRUE(command.options.SetFileStamp);
  EXPECT_TRUE(command.options.DropOldName);
  EXPECT_TRUE(command.options.Overwrite);
  EXPECT_TRUE(command.options.CopyFiles);
  EXPECT_TRUE(command.options.Recurse);
  EXPECT_FALSE(command.options.UseCounter);
  EXPECT_EQ((std::vector<std::string>{"a*.jpg", "b*.jpg"}), command.paths);
  EXPECT_EQ("progress;", ui.calls);
}

TEST(Switches, FormatKeepsTheCaseAsTypedAndTheLastOneWins) {
  RecordingFrontend ui;
  EXPECT_EQ("yyyymmdd_", Read({"/f:yyyymmdd_"}, ui).options.Format);
  EXPECT_EQ("", Read({"/F:"}, ui).options.Format);
  EXPECT_EQ("'Model'_hh", Read({"/F:x", "/F:'Model'_hh"}, ui).options.Format);
  EXPECT_EQ("yyyy mm", Read({"/F:yyyy mm", "x"}, ui).options.Format);
}

TEST(Switches, CounterWidthComesAfterTheN) {
  struct Case {
    const char* argument;
    int32_t width;
  };
  const Case cases[] = {{"/N", 3}, {"/N5", 5}, {"/n0", 0}, {"/Nx", 3}, {"/N$10", 16}, {"/N-2", -2}, {"/N 4", 4}};
  for (const Case& c : cases) {
    RecordingFrontend ui;
    const tBatchCommand command = Read({c.argument}, ui);
    EXPECT_TRUE(command.options.UseCounter) << c.argument;
    EXPECT_EQ(c.width, command.options.CounterWidth) << c.argument;
  }
  RecordingFrontend ui;
  EXPECT_EQ(7, Read({"/N5", "/N7"}, ui).options.CounterWidth);
}

TEST(Switches, HelpWordsStopEverythingElse) {
  for (const char* word : {"/?", "-?", "/h", "-H", "/version", "-VERSION", "--version"}) {
    RecordingFrontend ui;
    const tBatchCommand command = Read({"first*.jpg", "/S", word, "/R", "later*.jpg"}, ui);
    EXPECT_TRUE(command.help) << word;
    EXPECT_EQ(platform::AsciiUpper(word).find("VERSION") != std::string::npos, command.version)
        << word;
    EXPECT_TRUE(command.paths.empty()) << word;
    EXPECT_FALSE(command.options.Recurse) << word;  // not read after the help word
    EXPECT_EQ("progress;", ui.calls) << word;
  }
}

TEST(Switches, DoubleDashHelpIsHelpWhereDoubleDashEndsTheSwitches) {
  RecordingFrontend ui;
  const tBatchCommand command = Read({"x*.jpg", "--HELP"}, ui);
  EXPECT_EQ(platform::SlashStartsPaths(), command.help);
  EXPECT_FALSE(command.version);
  if (platform::SlashStartsPaths()) {
    EXPECT_EQ((std::vector<std::string>{"--help"}), Read({"--", "--help"}, ui).paths);
  }
}

TEST(Switches, TheFrontendHearsOfEachPatternAndOfTheEnd) {
  class PatternRecorder : public RecordingFrontend {
   public:
    void PatternStarting(const tRunOptions& options, const std::string& pattern) override {
      calls += "start " + pattern + (options.Recurse ? " /R;" : ";");
    }
    void PatternDone(const tRunOptions&, const std::string& pattern) override {
      calls += "done " + pattern + ";";
    }
    void BatchDone() override { calls += "end;"; }
  } ui;
  test::TempDir dir;
  EXPECT_EQ(0, RunBatch({dir / "a*.jpg", "/R", dir / "b*.jpg"}, ui));
  EXPECT_EQ("start " + dir / "a*.jpg /R;done " + dir / "a*.jpg;start " + dir / "b*.jpg /R;done " +
                dir / "b*.jpg;end;",
            ui.calls);
  ui.calls.clear();
  EXPECT_EQ(0, RunBatch({"/?", dir / "a*.jpg"}, ui));
  EXPECT_EQ("usage;", ui.calls);
}

TEST(Switches, UnknownSwitchesAndWholeWordsOnlyAreHelp) {
  RecordingFrontend ui;
  const tBatchCommand command = Read({"/HELP", "/X", "-S", "/h?"}, ui);
  EXPECT_FALSE(command.help);
  EXPECT_EQ((std::vector<std::string>{"/HELP", "/X", "-S", "/h?"}), command.paths);
}

TEST(Switches, ManyMoreSwitchesThanOldLimitsWork) {
  std::vector<std::string> arguments(300, "/R");
  arguments.push_back("photos*.jpg");
  RecordingFrontend ui;
  const tBatchCommand command = Read(arguments, ui);
  EXPECT_EQ((std::vector<std::string>{"photos*.jpg"}), command.paths);
  tParams params;
  for (int32_t i = 1; i <= 1000; ++i) params.Add(i * 2);
  EXPECT_TRUE(params.Contains(2000));
  EXPECT_FALSE(params.Contains(1999));
}

TEST(Switches, AbsolutePathsAreNoSwitchesWhereSlashBeginsThem) {
  RecordingFrontend ui;
  const tBatchCommand command = Read({"/tmp/x/*.jpg", "/srv/p/*.JPG", "/F:yyyy", "--", "/R", "-?"}, ui);
  if (platform::SlashStartsPaths()) {
    EXPECT_EQ((std::vector<std::string>{"/tmp/x/*.jpg", "/srv/p/*.JPG", "/R", "-?"}), command.paths);
    EXPECT_FALSE(command.options.Recurse);
    EXPECT_FALSE(command.help);
  } else {
    // On Windows /tmp/x/*.jpg is the switch /T and /srv/p/*.JPG the switch /S.
    EXPECT_TRUE(command.options.SetFileStamp);
    EXPECT_TRUE(command.help);
  }
  EXPECT_EQ("yyyy", command.options.Format);
}

TEST(CommandLine, BlanksSeparateAndQuotesGroupAndVanish) {
  EXPECT_EQ((std::vector<std::string>{"Stampel.exe", "/F:yyyy mm dd_", "C:\\My Photos\\*.jpg", "/R"}),
            platform::SplitCommandLine("Stampel.exe /F:\"yyyy mm dd_\"  \"C:\\My Photos\\*.jpg\" /R"));
  // A backslash before a quote is an ordinary character; no quote reaches an argument.
  EXPECT_EQ((std::vector<std::string>{"x", "C:\\dir\\", "y"}), platform::SplitCommandLine("x \"C:\\dir\\\" y\""));
  EXPECT_EQ((std::vector<std::string>{"a", ""}), platform::SplitCommandLine("a \"\""));
  EXPECT_TRUE(platform::SplitCommandLine("   ").empty());
}

TEST(Switches, ListOnlyAndUndoFollowThePrefixRule) {
  RecordingFrontend ui;
  for (const char* word : {"/L", "/l", "/List"}) {
    const tBatchCommand command = Read({word, "*.jpg"}, ui);
    EXPECT_TRUE(command.listOnly) << word;
    EXPECT_FALSE(command.undo) << word;
    EXPECT_EQ((std::vector<std::string>{"*.jpg"}), command.paths) << word;
  }
  for (const char* word : {"/U", "/u", "/Undo"}) {
    const tBatchCommand command = Read({word}, ui);
    EXPECT_TRUE(command.undo) << word;
    EXPECT_EQ("", command.undoJournal) << word;
    EXPECT_TRUE(command.paths.empty()) << word;
  }
  EXPECT_EQ("run 1.txt", Read({"/u:run 1.txt"}, ui).undoJournal);
  // A journal's path after /U: is no path pattern, wherever "/" begins paths.
  const tBatchCommand absolute = Read({"/U:/home/me/.local/state/stampel/journal/x.txt"}, ui);
  EXPECT_TRUE(absolute.undo);
  EXPECT_EQ("/home/me/.local/state/stampel/journal/x.txt", absolute.undoJournal);
  EXPECT_TRUE(absolute.paths.empty());
  EXPECT_FALSE(Read({"-L", "-U"}, ui).listOnly);
  EXPECT_EQ("", ui.calls);
}
