#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>

#include "engine/readahead/ReadAhead.h"

namespace {

std::vector<size_t> TakeAll(tReadAheadPlan& plan, tWarmResult result) {
  std::vector<size_t> taken;
  size_t index;
  while (plan.Take(index)) {
    taken.push_back(index);
    plan.Note(result);
  }
  return taken;
}

tReadAheadSettings Settings(size_t ahead, int cachedBeforeProbing = 1000, size_t probeStride = 10) {
  tReadAheadSettings settings;
  settings.Threads = 3;
  settings.Ahead = ahead;
  settings.CachedBeforeProbing = cachedBeforeProbing;
  settings.ProbeStride = probeStride;
  return settings;
}

}  // namespace

TEST(ReadAheadPlan, HandsOutTheFilesAfterThePassNeverMoreThanAheadOfIt) {
  tReadAheadPlan plan(Settings(4));
  plan.Begin(100);
  EXPECT_EQ((std::vector<size_t>{1, 2, 3, 4}), TakeAll(plan, tWarmResult::Read));
  plan.Reached(1);
  EXPECT_EQ((std::vector<size_t>{5}), TakeAll(plan, tWarmResult::Read));
  // The pass overtook the read-ahead: what it has reached is never handed out.
  plan.Reached(50);
  EXPECT_EQ((std::vector<size_t>{51, 52, 53, 54}), TakeAll(plan, tWarmResult::Read));
  plan.Reached(98);
  EXPECT_EQ((std::vector<size_t>{99}), TakeAll(plan, tWarmResult::Read));
  plan.Reached(99);
  EXPECT_TRUE(TakeAll(plan, tWarmResult::Read).empty());
}

TEST(ReadAheadPlan, AFolderOfOneFileOrNoneHasNothingToWarm) {
  tReadAheadPlan plan(Settings(4));
  for (size_t count : {0, 1}) {
    plan.Begin(count);
    EXPECT_EQ(0u, plan.Waiting());
    EXPECT_TRUE(TakeAll(plan, tWarmResult::Read).empty());
  }
  plan.Begin(3);
  EXPECT_EQ((std::vector<size_t>{1, 2}), TakeAll(plan, tWarmResult::Read));
}

TEST(ReadAheadPlan, ThreadsAreWokenOnlyOnceHalfTheWindowIsFree) {
  tReadAheadPlan plan(Settings(8));
  plan.Begin(100);
  EXPECT_EQ(8u, plan.Waiting());
  TakeAll(plan, tWarmResult::Read);  // 1..8
  for (size_t index = 1; index <= 3; ++index) EXPECT_EQ(0u, plan.Reached(index)) << index;
  EXPECT_EQ(5u, plan.Reached(5));  // files 9..13 wait
  EXPECT_EQ(5u, plan.Waiting());
}

TEST(ReadAheadPlan, AWarmFolderIsOnlyProbedUntilAWarmUpHasToWait) {
  tReadAheadPlan plan(Settings(32, 3, 10));
  plan.Begin(200);
  size_t index;
  for (size_t expected : {1, 2, 3}) {
    ASSERT_TRUE(plan.Take(index));
    EXPECT_EQ(expected, index);
    EXPECT_FALSE(plan.Probing());
    plan.Note(tWarmResult::Cached);
  }
  EXPECT_TRUE(plan.Probing());
  EXPECT_EQ(3u, plan.Waiting());  // 4, 14 and 24 of the files up to 32
  EXPECT_EQ((std::vector<size_t>{4, 14, 24}), TakeAll(plan, tWarmResult::Cached));
  plan.Reached(20);
  ASSERT_TRUE(plan.Take(index));
  EXPECT_EQ(34u, index);
  // The probe found the device at work: every file again, those skipped since 20 first.
  plan.Note(tWarmResult::Read);
  EXPECT_FALSE(plan.Probing());
  const std::vector<size_t> taken = TakeAll(plan, tWarmResult::Read);
  ASSERT_EQ(32u, taken.size());
  EXPECT_EQ(21u, taken.front());
  EXPECT_EQ(52u, taken.back());
}

TEST(ReadAheadPlan, AFailedWarmUpNeitherCountsAsCachedNorEndsProbing) {
  tReadAheadPlan plan(Settings(32, 2, 10));
  plan.Begin(200);
  plan.Note(tWarmResult::Cached);
  plan.Note(tWarmResult::Failed);
  EXPECT_FALSE(plan.Probing());
  plan.Note(tWarmResult::Cached);
  EXPECT_TRUE(plan.Probing());
  plan.Note(tWarmResult::Failed);
  EXPECT_TRUE(plan.Probing());
  // The state carries over into the next folder.
  plan.Begin(50);
  EXPECT_EQ((std::vector<size_t>{1, 11, 21, 31}), TakeAll(plan, tWarmResult::Cached));
}

namespace {

// A warm function that records what it was given and can hold the warm-ups back.
class FakeWarm {
 public:
  tWarmResult operator()(const std::string& path) {
    std::unique_lock<std::mutex> lock(mutex_);
    started_.push_back(path);
    changed_.notify_all();
    changed_.wait(lock, [&] { return open_; });
    ++finished_;
    changed_.notify_all();
    return tWarmResult::Read;
  }
  void Hold() { Set(false); }
  void Release() { Set(true); }
  // Waits until the path has been warmed; false after a generous timeout.
  bool WaitFor(const std::string& path) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] {
      return std::find(started_.begin(), started_.end(), path) != started_.end();
    });
  }
  std::vector<std::string> Started() {
    std::lock_guard<std::mutex> lock(mutex_);
    return started_;
  }

 private:
  void Set(bool open) {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = open;
    changed_.notify_all();
  }
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> started_;
  int finished_ = 0;
  bool open_ = true;
};

std::vector<std::string> Names(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(std::to_string(i));
  return names;
}

}  // namespace

TEST(ReadAheadPool, WarmsEveryLaterFileOnceAndNeverTooFarAhead) {
  FakeWarm fake;
  std::atomic<size_t> pass{0};
  std::atomic<bool> tooFar{false};
  const std::string prefix = "d/";
  const std::vector<std::string> names = Names(300);
  tReadAheadPool pool(Settings(8), [&](const std::string& path) {
    if (std::stoul(path.substr(prefix.size())) > pass + 8) tooFar = true;
    return fake(path);
  });
  tReadAhead readAhead(prefix, names, pool);
  for (size_t i = 0; i < names.size(); ++i) {
    // A pass slower than the device: its file's read has begun when it gets there.
    if (i > 0) {
      ASSERT_TRUE(fake.WaitFor(prefix + names[i])) << i;
    }
    pass = i;
    readAhead.Reached(i);
  }
  readAhead.Stop();
  const std::vector<std::string> started = fake.Started();
  EXPECT_FALSE(tooFar);
  EXPECT_EQ(names.size() - 1, started.size());
  EXPECT_EQ(names.size() - 1, std::set<std::string>(started.begin(), started.end()).size());
  EXPECT_EQ(0u, std::count(started.begin(), started.end(), prefix + names[0]));
}

TEST(ReadAheadPool, StopReturnsAtOnceAndNoWarmUpStartsAfterIt) {
  FakeWarm fake;
  auto pool = std::make_unique<tReadAheadPool>(Settings(8), std::ref(fake));
  const std::string prefix = "d/";
  auto names = std::make_unique<std::vector<std::string>>(Names(50));
  fake.Hold();
  auto readAhead = std::make_unique<tReadAhead>(prefix, *names, *pool);
  readAhead->Reached(0);
  ASSERT_TRUE(fake.WaitFor("d/1"));
  readAhead->Stop();  // returns while a warm-up is held up
  const size_t atStop = fake.Started().size();
  readAhead.reset();
  names.reset();  // the pass drops its list at once
  fake.Release();
  pool.reset();  // waits for the warm-ups under way
  EXPECT_EQ(atStop, fake.Started().size());
}

TEST(ReadAheadPool, OnlyTheNewestFolderIsReadAhead) {
  FakeWarm fake;
  tReadAheadPool pool(Settings(8), std::ref(fake));
  const std::string a = "a/", b = "b/";
  const std::vector<std::string> names = Names(20);
  fake.Hold();
  tReadAhead older(a, names, pool);
  ASSERT_TRUE(fake.WaitFor("a/1"));
  tReadAhead newer(b, names, pool);
  older.Reached(5);
  newer.Reached(0);
  fake.Release();
  ASSERT_TRUE(fake.WaitFor("b/8"));
  newer.Stop();
  older.Stop();
  for (const std::string& path : fake.Started())
    EXPECT_TRUE(path == "a/1" || path.compare(0, 2, b) == 0) << path;
}
