// The stampel program killed with SIGKILL at random moments while it moves and copies
// large files between two file systems: nothing is lost, no temporary file is left, and
// an undo brings back what the journal describes.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include "platform/FileOperations.h"
#include "platform/FileTimes.h"
#include "tests/support/Photos.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

struct State {
  std::string bytes;
  int64_t modified;
  bool operator==(const State& other) const {
    return bytes == other.bytes && modified == other.modified;
  }
};

std::map<std::string, State> Snapshot(const std::string& folder) {
  std::map<std::string, State> files;
  if (!fs::exists(folder)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    platform::FileFacts facts;
    platform::ReadFileFacts(entry.path().string(), facts);
    files[fs::relative(entry.path(), folder).string()] = {test::ReadBytes(entry.path().string()),
                                                          facts.modified};
  }
  return files;
}

std::vector<std::string> Temporaries(const std::string& folder) {
  std::vector<std::string> found;
  if (!fs::exists(folder)) return found;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.path().filename().string().rfind(".stampel-", 0) == 0)
      found.push_back(entry.path().string());
  return found;
}

dev_t DeviceOf(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? info.st_dev : 0;
}

// A folder on another file system than the temporary folder's: below /dev/shm where that
// is a file system of its own, else a tmpfs mounted for the test (as root).
class OtherFileSystem {
 public:
  explicit OtherFileSystem(const std::string& here) {
    const dev_t device = DeviceOf(here);
    char shm[] = "/dev/shm/stampel-crash-XXXXXX";
    if (DeviceOf("/dev/shm") != device && mkdtemp(shm) != nullptr) {
      path_ = std::string(shm) + "/";
      return;
    }
    const std::string point = here + "mnt";
    fs::create_directory(point);
    if (mount("tmpfs", point.c_str(), "tmpfs", 0, "size=256m") == 0) {
      mounted_ = point;
      path_ = point + "/";
    }
  }
  ~OtherFileSystem() {
    if (!mounted_.empty()) {
      umount2(mounted_.c_str(), MNT_DETACH);
    } else if (!path_.empty()) {
      std::error_code ignored;
      fs::remove_all(path_, ignored);
    }
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string mounted_;
};

// Runs stampel with the arguments in the folder; kills it after the delay unless that
// is negative. Returns the exit code, or -1 when killed. Output goes to the file.
int Stampel(const std::vector<std::string>& arguments, const std::string& journals,
            const std::string& output, std::chrono::microseconds killAfter) {
  const pid_t child = fork();
  if (child == 0) {
    setenv("STAMPEL_JOURNAL_DIR", journals.c_str(), 1);
    if (!freopen(output.c_str(), "w", stdout)) _exit(97);
    dup2(fileno(stdout), 2);
    std::vector<char*> argv{const_cast<char*>(STAMPEL_PROGRAM)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(STAMPEL_PROGRAM, argv.data());
    _exit(98);
  }
  if (killAfter.count() >= 0) {
    std::this_thread::sleep_for(killAfter);
    kill(child, SIGKILL);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Five photos of about 4 MB each, told apart by their bytes.
void MakePhotos(const std::string& folder, int seed) {
  fs::create_directories(folder);
  std::mt19937 random(seed);
  for (int i = 0; i < 5; ++i) {
    char date[32];
    std::snprintf(date, sizeof date, "2004:05:%02d 07:08:%02d", 1 + i, i);
    std::string bytes = test::Photo({date, "", "", 0, 0, "photo " + std::to_string(seed * 10 + i)});
    std::string payload(4 << 20, '\0');
    for (size_t at = 0; at < payload.size(); at += 4096) payload[at] = static_cast<char>(random());
    test::WriteBytes(folder + "IMG_" + std::to_string(i) + ".JPG", bytes + payload);
  }
}

std::string Read(const std::string& path) {
  return fs::exists(path) ? test::ReadBytes(path) : std::string();
}

}  // namespace

TEST(Crash, AKilledRunLosesNothingLeavesNoTemporaryFileAndIsUndone) {
  test::TempDir dir;
  OtherFileSystem other(dir.Path());
  if (other.Path().empty())
    GTEST_SKIP() << "no second file system: /dev/shm is missing and tmpfs cannot be mounted";
  ASSERT_NE(DeviceOf(dir.Path()), DeviceOf(other.Path()));

  struct Mode {
    bool fromOther;  // the photos lie on the other file system, the targets on the disk
    bool copy;
    bool stamp;
  };
  const Mode modes[] = {
      {false, false, false}, {false, true, false}, {true, false, true}, {false, true, true}};
  auto arguments = [&](const Mode& mode, const std::string& source, const std::string& target) {
    std::string folder = target;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    std::vector<std::string> args;
    if (mode.copy) args.push_back("/C");
    if (mode.stamp) args.push_back("/T");
    args.push_back("/S");
    args.push_back("/F:'" + folder + "'yyyy\\mm\\yyyy-mm-dd_hhnnss_");
    args.push_back(source + "*.JPG");
    return args;
  };

  // How long the program takes to start, and an uncut run: the kills fall in between.
  auto timed = [&](const std::vector<std::string>& args) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(0, Stampel(args, dir / "j0", dir / "out0", std::chrono::microseconds(-1)));
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
  };
  MakePhotos(dir / "calibrate/", 0);
  const int64_t startup = timed({"/S", dir / "calibrate/none*.JPG"});
  const int64_t whole =
      timed(arguments(modes[1], dir / "calibrate/", other.Path() + "calibrated/"));
  // The kills fall between these, which close in on the runs as kills miss them.
  int64_t first = startup * 4 / 5;
  std::printf("start-up %lld us, a whole run %lld us\n", static_cast<long long>(startup),
              static_cast<long long>(whole));
  std::fflush(stdout);
  int64_t last = std::max<int64_t>(whole * 21 / 20, first + 1);
  std::mt19937 random(7);
  // Rounds go on until 24 kills have fallen inside a run (after its journal began, before
  // it ended); a loaded machine may need more rounds for that.
  int inside = 0, before = 0, after = 0, steps = 0, halfMoves = 0;
  for (int round = 1; inside < 24 && round <= 80; ++round) {
    const Mode& mode = modes[round % 4];
    const std::string here =
        (mode.fromOther ? other.Path() : dir.Path()) + "src" + std::to_string(round) + "/";
    const std::string there =
        (mode.fromOther ? dir.Path() : other.Path()) + "dst" + std::to_string(round) + "/";
    const std::string journals = dir / "j" + std::to_string(round);
    MakePhotos(here, round);
    const auto original = Snapshot(here);
    const std::chrono::microseconds delay(first + static_cast<int64_t>(random() % (last - first)));
    const bool finished = Stampel(arguments(mode, here, there), journals, dir / "out", delay) == 0;
    SCOPED_TRACE("round " + std::to_string(round) + ", killed after " +
                 std::to_string(delay.count()) + " us");

    EXPECT_TRUE(Temporaries(here).empty() && Temporaries(there).empty())
        << "a temporary file is left";
    std::map<std::string, int> contents;
    for (const auto& [name, state] : Snapshot(here)) ++contents[state.bytes];
    for (const auto& [name, state] : Snapshot(there)) ++contents[state.bytes];
    for (const auto& [name, state] : original)
      EXPECT_GT(contents[state.bytes], 0) << name << " is lost";

    const int code = Stampel({"/U"}, journals, dir / "undo", std::chrono::microseconds(-1));
    const std::string undo = Read(dir / "undo");
    EXPECT_EQ(std::string::npos, undo.find("not undone")) << undo;
    for (size_t at = undo.find("\nStampel "); at != std::string::npos;
         at = undo.find("\nStampel ", at + 1))
      ++steps;
    steps += undo.rfind("Stampel ", 0) == 0;
    for (size_t at = undo.find("that the run had left"); at != std::string::npos;
         at = undo.find("that the run had left", at + 1))
      ++halfMoves;
    if (code != 0 && !finished) first = std::min(delay.count(), last - 1);
    if (finished) last = std::max(delay.count(), first + 1);
    if (code != 0) {
      // Killed before its journal began: then nothing had changed either.
      EXPECT_NE(std::string::npos, undo.find("There is no run to undo")) << undo;
      ++before;
    } else {
      ++(finished ? after : inside);
    }
    EXPECT_EQ(original, Snapshot(here)) << "names, contents and times as before the run";
    EXPECT_TRUE(Snapshot(there).empty());
    EXPECT_FALSE(fs::exists(there + "2004")) << "the folders the run made stay";
    EXPECT_TRUE(Temporaries(here).empty() && Temporaries(there).empty());
    fs::remove_all(here);
  }
  EXPECT_EQ(24, inside) << "too few kills fell inside a run";
  std::printf(
      "%d kills inside a run, %d before its first change, %d after its end; the undos took back %d "
      "files (%d of them copies that an interrupted move had left)\n",
      inside, before, after, steps, halfMoves);
}
