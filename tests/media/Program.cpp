#include "tests/media/Program.h"

#include <filesystem>

#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "tests/support/TempDir.h"

namespace test {

std::string FromBuild(std::string path) {
#ifdef _WIN32
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
#endif
  return path;
}

namespace {

int Spawn(const std::vector<std::string>& arguments) {
  const std::string program = FromBuild(STAMPEL_PROGRAM);
#ifdef _WIN32
  // The arguments are joined with blanks: quote each one.
  std::vector<std::string> quoted = {"\"" + program + "\""};
  for (const std::string& a : arguments) quoted.push_back("\"" + a + "\"");
  std::vector<const char*> argv;
  for (const std::string& q : quoted) argv.push_back(q.c_str());
  argv.push_back(nullptr);
  return static_cast<int>(_spawnv(_P_WAIT, program.c_str(), argv.data()));
#else
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
#endif
}

}  // namespace

int RunProgram(const std::vector<std::string>& arguments, const std::string& folder) {
  if (folder.empty()) return Spawn(arguments);
  // The child starts where this process stands.
  namespace fs = std::filesystem;
  const fs::path before = fs::current_path();
  fs::current_path(Utf8Path(folder));
  const int code = Spawn(arguments);
  fs::current_path(before);
  return code;
}

}  // namespace test
