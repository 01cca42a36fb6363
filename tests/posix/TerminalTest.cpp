// The stampel program on a terminal: the line of counts on standard error and colour,
// seen through a pseudo-terminal.

#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/Photos.h"
#include "tests/support/TempDir.h"

namespace {

struct TerminalRun {
  int exitCode = -1;
  std::string terminal;  // what reached the terminal (standard error)
  std::string output;    // standard output, a pipe
};

// Runs the program in dir with standard error on a pseudo-terminal of 80 columns.
TerminalRun RunOnTerminal(const std::string& dir, const std::vector<std::string>& arguments,
                          const char* noColor = nullptr) {
  TerminalRun run;
  int master = -1;
  int slave = -1;
  winsize size{};
  size.ws_col = 80;
  size.ws_row = 24;
  int output[2];
  if (openpty(&master, &slave, nullptr, nullptr, &size) != 0 || pipe(output) != 0) return run;
  const pid_t child = fork();
  if (child == 0) {
    dup2(slave, 2);
    dup2(output[1], 1);
    close(master);
    close(output[0]);
    if (chdir(dir.c_str()) != 0) _exit(99);
    setenv("TERM", "xterm-256color", 1);
    setenv("STAMPEL_CONFIG_DIR", (dir + "config").c_str(), 1);
    noColor ? setenv("NO_COLOR", noColor, 1) : unsetenv("NO_COLOR");
    std::vector<char*> argv{const_cast<char*>(STAMPEL_PROGRAM)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(STAMPEL_PROGRAM, argv.data());
    _exit(98);
  }
  close(slave);
  close(output[1]);
  char buffer[4096];
  // The terminal reports EIO once the program and its children have closed it.
  for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR);)
    if (n > 0) run.terminal.append(buffer, static_cast<size_t>(n));
  for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) > 0;)
    run.output.append(buffer, static_cast<size_t>(n));
  close(master);
  close(output[0]);
  int status = 0;
  waitpid(child, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class Terminal : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string photo = test::Photo({"2004:05:06 07:08:09"});
    for (int i = 0; i < 30; ++i) test::WriteBytes(dir / ("f" + std::to_string(i) + ".jpg"), photo);
  }
  test::TempDir dir;
};

TEST_F(Terminal, ShowsTheCountsOnOneLineAndErasesItAtTheEnd) {
  const TerminalRun run = RunOnTerminal(dir.Path(), {"/D", "/N", "f*.jpg"});
  EXPECT_EQ(0, run.exitCode);
  EXPECT_EQ("", run.output);
  // Drawn at the first file, at most ten times a second, then erased.
  EXPECT_EQ(0u, run.terminal.rfind("\r1 file seen, 1 renamed\x1b[K", 0)) << run.terminal;
  EXPECT_EQ(std::string::npos, run.terminal.find('\n'));
  const std::string erase = "\r\x1b[K";
  ASSERT_GE(run.terminal.size(), erase.size());
  EXPECT_EQ(erase, run.terminal.substr(run.terminal.size() - erase.size()));
  EXPECT_TRUE(test::Exists(dir / "2004-05-06-07-08-09_030.jpg"));
}

TEST_F(Terminal, WithSTheLinesGoToStandardOutputAndTheTerminalStaysQuiet) {
  const TerminalRun run = RunOnTerminal(dir.Path(), {"/S", "/D", "/N", "f*.jpg"});
  EXPECT_EQ(0, run.exitCode);
  EXPECT_EQ("", run.terminal);
  size_t lines = 0;
  for (char c : run.output) lines += c == '\n';
  EXPECT_EQ(30u, lines);
}

TEST_F(Terminal, TheWarningIsInColourUnlessNoColorIsSet) {
  const TerminalRun coloured = RunOnTerminal(dir.Path(), {"missing*.jpg"});
  EXPECT_EQ(0, coloured.exitCode);
  EXPECT_EQ("stampel: \x1b[1;33mwarning:\x1b[0m no file matches \"missing*.jpg\"\r\n",
            coloured.terminal);
  const TerminalRun plain = RunOnTerminal(dir.Path(), {"missing*.jpg"}, "1");
  EXPECT_EQ("stampel: warning: no file matches \"missing*.jpg\"\r\n", plain.terminal);
}

}  // namespace
