#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "engine/readahead/WarmHead.h"
#include "platform/Prefetch.h"
#include "tests/support/TempDir.h"

using test::TempDir;

namespace {

// Writes the file to disk and drops it from the page cache.
void Evict(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  fsync(fd);
  posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  close(fd);
}

}  // namespace

// Whether the page cache holds the file's first page; looking does not bring it in.
static bool FirstPageCached(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  void* map = mmap(nullptr, 4096, PROT_READ, MAP_SHARED, fd, 0);
  unsigned char resident = 0;
  const bool looked = map != MAP_FAILED && mincore(map, 4096, &resident) == 0;
  if (map != MAP_FAILED) munmap(map, 4096);
  close(fd);
  return looked && (resident & 1) != 0;
}

// Reads the first page, waiting for a read of it that is under way.
static void WaitForFirstPage(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  char page[4096];
  EXPECT_EQ(static_cast<ssize_t>(sizeof page), pread(fd, page, sizeof page, 0));
  close(fd);
}

TEST(PrefetchPosix, AColdHeadIsBroughtIntoTheCacheAndThenFoundThere) {
  TempDir dir;
  test::WriteBytes(dir / "f", std::string(8192, 'x'));
  Evict(dir / "f");
  ASSERT_FALSE(FirstPageCached(dir / "f"));
  // Mostly Read; but the read that must not wait starts the device, and one that answers
  // at once (a virtual disk on a busy host's cache) hands it the page in time.
  EXPECT_NE(tWarmResult::Failed, WarmHead(dir / "f"));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!FirstPageCached(dir / "f") && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_TRUE(FirstPageCached(dir / "f"));
  // A page is resident as soon as its read is under way, and a read that must not wait
  // finds it only once the read has ended: wait for that end before asking again.
  WaitForFirstPage(dir / "f");
  EXPECT_EQ(tWarmResult::Cached, WarmHead(dir / "f"));
}

TEST(PrefetchPosix, APipeIsNotOpenedAndDoesNotHoldTheReadAheadUp) {
  TempDir dir;
  ASSERT_EQ(0, mkfifo((dir / "pipe").c_str(), 0600));
  // A plain open for reading would wait here for a writer that never comes.
  EXPECT_FALSE(platform::PrefetchFile(dir / "pipe").IsOpen());
  EXPECT_EQ(tWarmResult::Failed, WarmHead(dir / "pipe"));
}

TEST(PrefetchPosix, PrefetchThreadsLeaveSignalsToTheMainThread) {
  bool blocked = false;
  platform::StartPrefetchThread([&] {
    sigset_t mask;
    pthread_sigmask(SIG_BLOCK, nullptr, &mask);
    blocked = sigismember(&mask, SIGINT) == 1;
  }).join();
  EXPECT_TRUE(blocked);
  sigset_t mine;
  pthread_sigmask(SIG_BLOCK, nullptr, &mine);
  EXPECT_FALSE(sigismember(&mine, SIGINT)) << "the starting thread's mask is restored";
}
