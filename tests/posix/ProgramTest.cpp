// The stampel program as a user runs it: exit codes, standard output and error.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>

#include "tests/support/Photos.h"
#include "tests/support/TempDir.h"

namespace {

struct Outcome {
  int exitCode;
  std::string out;
};

// Runs a shell command line; stdout (and stderr when merged by the command) is captured.
Outcome Shell(const std::string& command) {
  Outcome outcome{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return outcome;
  std::array<char, 4096> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
    outcome.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

class Program : public ::testing::Test {
 protected:
  // The runs' journals go to the test's folder, also for the programs it starts itself.
  void SetUp() override { setenv("STAMPEL_JOURNAL_DIR", (dir / "journal").c_str(), 1); }

  std::string Run(const std::string& arguments) {
    return "cd " + Quoted(dir.Path()) + " && STAMPEL_CONFIG_DIR=" + Quoted(dir / "config") + " " +
           STAMPEL_PROGRAM + " " + arguments;
  }
  test::TempDir dir;
};

}  // namespace

TEST_F(Program, HelpPrintsTheUsageAndProcessesNothing) {
  test::WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
  const Outcome outcome = Shell(Run("a.jpg /? 2>&1"));
  EXPECT_EQ(0, outcome.exitCode);
  EXPECT_NE(std::string::npos,
            outcome.out.find("Stampel  -  Exif Rename Utility  -  Version 2.1.1 (2008-06-15)"));
  EXPECT_TRUE(test::Exists(dir / "a.jpg"));
}

TEST_F(Program, HelpAndABareCallPrintTheUsageOnStandardOutput) {
  const Outcome help = Shell(Run("--help 2>/dev/null"));
  EXPECT_EQ(0, help.exitCode);
  EXPECT_EQ(0u,
            help.out.rfind("Stampel  -  Exif Rename Utility  -  Version 2.1.1 (2008-06-15)\n", 0));
  EXPECT_NE(std::string::npos, help.out.find("\n  /F:format   "));
  EXPECT_NE(std::string::npos, help.out.find("\nExit codes: 0 "));
  for (const char* other : {"-h", "/?", "-?", "/H", ""}) {
    const Outcome same = Shell(Run(std::string(other) + " 2>&1"));
    EXPECT_EQ(0, same.exitCode) << other;
    EXPECT_EQ(help.out, same.out) << other;
  }
}

TEST_F(Program, VersionWordsPrintTheTitleLine) {
  for (const char* word : {"--version", "/VERSION", "-version"}) {
    const Outcome outcome = Shell(Run(std::string(word) + " 2>&1"));
    EXPECT_EQ(0, outcome.exitCode);
    EXPECT_EQ("Stampel  -  Exif Rename Utility  -  Version 2.1.1 (2008-06-15)\n", outcome.out)
        << word;
  }
}

TEST_F(Program, SPrintsEachFilesLineAndTheRunEndsWithZero) {
  test::WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
  const Outcome outcome = Shell(Run("/S /D '/F:yyyymmdd' '*.jpg' 'missing/*.jpg' 2>/dev/null"));
  EXPECT_EQ(0, outcome.exitCode);
  EXPECT_EQ("Stampel 1: a.jpg -> 20040506.jpg\n", outcome.out);
  EXPECT_TRUE(test::Exists(dir / "20040506.jpg"));
}

TEST_F(Program, APatternThatMatchesNoFileIsNamedInOneWarning) {
  test::WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
  test::WriteBytes(dir / "notes.txt", "no photo");
  ASSERT_TRUE(std::filesystem::create_directory(dir / "trip"));
  // Files of no known kind are matched all the same; a folder is no file.
  const Outcome outcome = Shell(Run("'*.jpg' 'missing/*.jpg' '*.TXT' trip 2>&1 >/dev/null"));
  EXPECT_EQ(0, outcome.exitCode);
  EXPECT_EQ(
      "stampel: warning: no file matches \"missing/*.jpg\"\n"
      "stampel: warning: no file matches \"trip\" (a folder: \"trip/*\" names its files)\n",
      outcome.out);
  EXPECT_TRUE(test::Exists(dir / "2004-05-06-07-08-09_a.jpg"));
}

TEST_F(Program, WithRecurseAMatchInASubfolderIsAMatch) {
  ASSERT_TRUE(std::filesystem::create_directory(dir / "trip"));
  test::WriteBytes(dir / "trip/a.png", "no photo");
  EXPECT_EQ("", Shell(Run("/R '*.png' 2>&1")).out);
  EXPECT_EQ("stampel: warning: no file matches \"*.png\"\n", Shell(Run("'*.png' 2>&1")).out);
}

TEST_F(Program, WithoutSNothingIsPrinted) {
  test::WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
  const Outcome outcome = Shell(Run("-- '*.jpg' 2>&1"));
  EXPECT_EQ(0, outcome.exitCode);
  EXPECT_EQ("", outcome.out);
  EXPECT_TRUE(test::Exists(dir / "2004-05-06-07-08-09_a.jpg"));
}

TEST_F(Program, AFileThatCannotBeOpenedEndsTheRunWithOneNamingIt) {
  test::WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
  ASSERT_EQ(0, chmod((dir / "a.jpg").c_str(), 0));
  ASSERT_EQ(0, chmod(dir.Path().c_str(), 0777));
  // root reads any file: run as nobody there.
  const std::string asUser =
      geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
  const Outcome outcome =
      Shell("cd " + Quoted(dir.Path()) + " && STAMPEL_CONFIG_DIR=" + Quoted(dir / "config") + " " +
            asUser + STAMPEL_PROGRAM + " '*.jpg' 2>&1");
  EXPECT_EQ(1, outcome.exitCode);
  EXPECT_NE(std::string::npos, outcome.out.find("Cannot open file \"" + dir / "a.jpg" + "\""))
      << outcome.out;
  EXPECT_TRUE(test::Exists(dir / "a.jpg"));
}

// Starts the program in the folder with its standard output on a pipe; returns its pid
// and the pipe's reading end.
pid_t StartWithPipe(const std::string& folder, const std::vector<std::string>& arguments,
                    FILE*& lines) {
  int output[2];
  if (pipe(output) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    dup2(output[1], 1);
    close(output[0]);
    if (chdir(folder.c_str()) != 0) _exit(99);
    setenv("STAMPEL_CONFIG_DIR", (folder + "config").c_str(), 1);
    std::vector<char*> argv{const_cast<char*>(STAMPEL_PROGRAM)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(STAMPEL_PROGRAM, argv.data());
    _exit(98);
  }
  close(output[1]);
  lines = fdopen(output[0], "r");
  return child;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

size_t FilesIn(const std::string& folder) {
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    files += entry.is_regular_file();
  return files;
}

// Ctrl+C ends the whole run after the file it is on, also when the shell has expanded the
// pattern into one argument per file; the exit code says so.
TEST_F(Program, CtrlCStopsTheWholeRunAfterTheCurrentFile) {
  const std::string photo = test::Photo({"2004:05:06 07:08:09"});
  std::vector<std::string> expanded{"/S", "/D", "/N"};
  for (int i = 0; i < 3000; ++i) {
    const std::string name = "f" + std::to_string(i) + ".jpg";
    test::WriteBytes(dir / name, photo);
    expanded.push_back(name);
  }
  for (const auto& arguments : {std::vector<std::string>{"/S", "/D", "/N", "f*.jpg"}, expanded}) {
    SCOPED_TRACE(arguments.size() == 4 ? "one pattern" : "one pattern a file");
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
      if (entry.path().filename().string().rfind("f", 0) != 0 && entry.is_regular_file())
        std::filesystem::rename(entry.path(), dir / ("f" + entry.path().filename().string()));
    FILE* lines = nullptr;
    const pid_t child = StartWithPipe(dir.Path(), arguments, lines);
    ASSERT_GT(child, 0);
    char line[4096];
    ASSERT_NE(nullptr, fgets(line, sizeof line, lines));  // the first file is under way
    kill(child, SIGINT);
    std::string rest;
    while (fgets(line, sizeof line, lines)) rest += line;
    fclose(lines);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "Ctrl+C must not kill the run in the middle of a file";
    EXPECT_EQ(130, WEXITSTATUS(status));
    const size_t stopped = rest.find("Stopped...\n");
    ASSERT_NE(std::string::npos, stopped) << rest.substr(0, 500);
    // At most the file the run was on when it heard the request follows the request.
    EXPECT_LE(Count(rest.substr(stopped), " -> "), 1u) << rest.substr(0, 500);
    EXPECT_LT(Count(rest, " -> "), 2999u) << "the run went on to its end";
    EXPECT_EQ(3000u, FilesIn(dir.Path()));
  }
}

// A reader of the lines that goes away (stampel /S ... | head -2) ends the run as Ctrl+C
// does instead of killing it half way: the file whose line could not be written is the
// last one renamed, and the journal takes back what was done.
TEST_F(Program, AClosedOutputEndsTheRunAfterTheCurrentFileAndSaysSo) {
  const std::string photo = test::Photo({"2004:05:06 07:08:09"});
  std::vector<std::string> arguments{"/S"};  // as a shell expands f*.jpg
  for (int i = 0; i < 3000; ++i) {
    const std::string name = "f" + std::to_string(i) + ".jpg";
    test::WriteBytes(dir / name, photo);
    arguments.push_back(name);
  }
  const int errors = open((dir / "errors").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(errors, 0);
  const int savedError = dup(2);
  dup2(errors, 2);
  FILE* lines = nullptr;
  const pid_t child = StartWithPipe(dir.Path(), arguments, lines);
  dup2(savedError, 2);
  close(savedError);
  close(errors);
  ASSERT_GT(child, 0);
  char line[4096];
  size_t read = 0;
  for (; read < 2 && fgets(line, sizeof line, lines); ++read) {
  }
  // What the program wrote before the reader went away still counts as written.
  kill(child, SIGSTOP);
  const int fd = fileno(lines);
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  while (fgets(line, sizeof line, lines)) ++read;
  fclose(lines);
  kill(child, SIGCONT);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "a closed output must not kill the run";
  EXPECT_EQ(1, WEXITSTATUS(status));
  EXPECT_EQ("stampel: standard output was closed: the run ends after the current file\n",
            test::ReadBytes(dir / "errors"));
  size_t renamed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
    renamed += entry.path().filename().string().rfind("2004-", 0) == 0;
  EXPECT_EQ(read + 1, renamed) << "the run went on after the file whose line failed";
  EXPECT_EQ(3001u, FilesIn(dir.Path()));  // the photos and the errors
  EXPECT_EQ(0, Shell(Run("/U >/dev/null 2>&1")).exitCode);
  for (int i = 0; i < 3000; ++i)
    ASSERT_TRUE(test::Exists(dir / ("f" + std::to_string(i) + ".jpg"))) << i;
}

// The newer switches count only as written: /usr is a folder, not an undo of the last run.
TEST_F(Program, SlashUsrIsAPathAndNoUndo) {
  test::WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
  ASSERT_EQ(0, Shell(Run("'*.jpg'")).exitCode);
  const Outcome outcome = Shell(Run("/usr 2>&1"));
  EXPECT_EQ(0, outcome.exitCode);
  EXPECT_EQ("stampel: warning: no file matches \"/usr\" (a folder: \"/usr/*\" names its files)\n",
            outcome.out);
  EXPECT_TRUE(test::Exists(dir / "2004-05-06-07-08-09_a.jpg")) << "the last run was undone";
}

// A journal that cannot be written stops the run before its first change, with a message
// that says why and that nothing was changed.
TEST_F(Program, AJournalThatCannotBeWrittenChangesNothing) {
  test::WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
  test::WriteBytes(dir / "blocker", "a file where the journal folder should go");
  const Outcome outcome = Shell("cd " + Quoted(dir.Path()) +
                                " && STAMPEL_JOURNAL_DIR=" + Quoted(dir / "blocker/journal") + " " +
                                STAMPEL_PROGRAM + " '*.jpg' 2>&1");
  EXPECT_EQ(1, outcome.exitCode);
  EXPECT_EQ(
      0u, outcome.out.find("stampel: Cannot make the journal folder \"" + dir / "blocker/journal"))
      << outcome.out;
  EXPECT_NE(std::string::npos, outcome.out.find("Nothing was changed.")) << outcome.out;
  EXPECT_TRUE(test::Exists(dir / "a.jpg"));
}

// 0 when every file was handled, 2 when some could not be renamed, 1 when a failure stopped
// the run.
TEST_F(Program, TheExitCodeTellsWhetherEveryFileWasHandled) {
  test::WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
  test::WriteBytes(dir / "notes.txt", "no photo");
  EXPECT_EQ(0, Shell(Run("'*.*' 2>&1")).exitCode) << "a file without a date is handled too";
  test::WriteBytes(dir / "b.jpg", test::Photo({"2005:05:06 07:08:09"}));
  test::WriteBytes(dir / "blocker", "a file where the folder should go");
  EXPECT_EQ(2, Shell(Run("\"/F:'blocker'\\\\yyyy\" b.jpg 2>&1")).exitCode);
  EXPECT_TRUE(test::Exists(dir / "b.jpg"));
  EXPECT_EQ(1, Shell(Run("/U:nosuchjournal.txt 2>&1")).exitCode);
  // An undo that must leave a file as it is went through, but not wholly.
  ASSERT_EQ(0, Shell(Run("b.jpg")).exitCode);
  test::WriteBytes(dir / "2005-05-06-07-08-09_b.jpg", "edited since");
  const Outcome undo = Shell(Run("/U 2>&1"));
  EXPECT_EQ(2, undo.exitCode);
  EXPECT_NE(std::string::npos, undo.out.find(" -> not undone: changed since the run")) << undo.out;
}

TEST_F(Program, LListsTheRunLineForLineAndChangesNothing) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
    test::WriteBytes(dir / name, test::Photo({"2004:05:06 07:08:09", "", "", 0, 0, name}));
  test::WriteBytes(dir / "x.jpg", "no photo");
  const std::string switches = "/N /D '/F:yyyy\\mm\\dd_' '*.jpg' 2>&1";
  const Outcome list = Shell(Run("/L " + switches));
  EXPECT_EQ(0, list.exitCode);
  EXPECT_TRUE(test::Exists(dir / "a.jpg") && !test::Exists(dir / "2004"));
  EXPECT_FALSE(std::filesystem::exists(dir / "journal")) << "a list writes no journal";
  const Outcome run = Shell(Run("/S " + switches));
  EXPECT_EQ(0, run.exitCode);
  EXPECT_NE(std::string::npos, run.out.find("x.jpg -> no Exif information available"));
  EXPECT_EQ(run.out, list.out);
  EXPECT_TRUE(test::Exists(dir / "2004/05/06_001.jpg") || test::Exists(dir / "2004/05/06_002.jpg"));
}

TEST_F(Program, UTakesTheLastRunBackAndSaysWhatItDoes) {
  test::WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
  ASSERT_EQ(0, Shell(Run("/D '/F:yyyy\\yyyymmdd' '*.jpg'")).exitCode);
  ASSERT_TRUE(test::Exists(dir / "2004/20040506.jpg"));
  const Outcome undo = Shell(Run("/U 2>&1"));
  EXPECT_EQ(0, undo.exitCode);
  EXPECT_EQ("Stampel 1: " + dir / "2004/20040506.jpg" + " -> " + dir / "a.jpg" + "\n", undo.out);
  EXPECT_TRUE(test::Exists(dir / "a.jpg"));
  EXPECT_FALSE(test::Exists(dir / "2004")) << "the folder the run made goes";
}

TEST_F(Program, UWithoutAJournalOrWithOtherWorkChangesNothing) {
  test::WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
  const Outcome none = Shell(Run("/U 2>&1"));
  EXPECT_EQ(1, none.exitCode);
  EXPECT_NE(std::string::npos, none.out.find("There is no run to undo")) << none.out;
  ASSERT_EQ(0, Shell(Run("'*.jpg'")).exitCode);
  for (const char* line : {"/L /U 2>&1", "/U '*.jpg' 2>&1", "/U:nosuchjournal.txt 2>&1"}) {
    const Outcome outcome = Shell(Run(line));
    EXPECT_EQ(1, outcome.exitCode) << line;
    EXPECT_TRUE(test::Exists(dir / "2004-05-06-07-08-09_a.jpg")) << line;
  }
}

TEST_F(Program, TheNextRunRemovesTheTemporaryFilesOfAKilledCopy) {
  test::WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
  // Left by a copy that was killed (no process holds them), in the old and the new style.
  test::WriteBytes(dir / ".stampel-tmp-0123456789abcdef", "half a copy");
  test::WriteBytes(dir / ".stampel-Ab12Cd", "half a copy of an older version");
  test::WriteBytes(dir / ".stampel-notes", "the user's own");
  ASSERT_EQ(0, Shell(Run("/C '*.jpg'")).exitCode);
  EXPECT_FALSE(test::Exists(dir / ".stampel-tmp-0123456789abcdef"));
  EXPECT_FALSE(test::Exists(dir / ".stampel-Ab12Cd"));
  EXPECT_TRUE(test::Exists(dir / ".stampel-notes"));
  EXPECT_TRUE(test::Exists(dir / "2004-05-06-07-08-09_a.jpg"));
}
