#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/readahead/WarmHead.h"

// How far and how hard the read-ahead works.
struct tReadAheadSettings {
  int Threads = 8;               // files opened at once (and, where heads are read, reads)
  size_t Ahead = 32;             // files beyond the one the pass is on
  int CachedBeforeProbing = 16;  // warm-ups in a row that found everything cached ...
  size_t ProbeStride = 64;       // ... after which only one file in so many is tried
};

// What to warm next, apart from the threads that do it. The window is the `ahead` files
// after the one the pass is on; a file the pass has reached is never handed out.
//
// When warm-ups keep finding everything in the cache, only one file in probeStride is
// tried, so a warm folder costs next to nothing; the first warm-up that has to wait for
// the device brings back every file, the skipped ones included. That state carries over
// from one folder to the next.
class tReadAheadPlan {
 public:
  explicit tReadAheadPlan(const tReadAheadSettings& settings) : settings_(settings) {}

  // A folder of count files; the pass is on its first.
  void Begin(size_t count);
  // The pass begins the file at index. Returns how many files wait to be warmed once at
  // least half the window is free, and 0 before: idle threads are woken in batches, not
  // for every file, since in a warm folder a wake-up per file would cost the pass more
  // than the threads save it.
  size_t Reached(size_t index);
  // The next file to warm, if the window holds one.
  bool Take(size_t& index);
  // How many files Take would hand out now, one after another.
  size_t Waiting() const;
  void Note(tWarmResult result);
  bool Probing() const { return cachedInARow_ >= settings_.CachedBeforeProbing; }

 private:
  const tReadAheadSettings settings_;
  size_t count_ = 0;
  size_t reached_ = 0;
  size_t next_ = 0;  // the next file to warm
  int cachedInARow_ = 0;
};

class tReadAhead;

// A few threads that warm the heads of the files a rename pass will reach next. On a cold
// disk a pass that reads one file after another waits for every read in turn; storage
// answers many requests at once far faster. The threads only read: the pass still opens
// and reads every file itself, so nothing it does depends on them.
class tReadAheadPool {
 public:
  using Warm = std::function<tWarmResult(const std::string& path)>;

  // The threads start with the first folder that has anything to read ahead: one at
  // first, all of them once a warm-up has had to wait for the device.
  tReadAheadPool(const tReadAheadSettings& settings, Warm warm);
  // Waits for the warm-ups under way (each a read or two) and ends the threads.
  ~tReadAheadPool();
  tReadAheadPool(const tReadAheadPool&) = delete;
  tReadAheadPool& operator=(const tReadAheadPool&) = delete;

  // The rename pass's pool: WarmHead with the default settings, for the whole program.
  static tReadAheadPool& Shared();

 private:
  friend class tReadAhead;

  bool Attach(tReadAhead& folder);
  void Detach(tReadAhead& folder);
  void Reached(tReadAhead& folder, size_t index);
  // Starts threads until there are count of them (at most the settings' number).
  void StartThreads(int count);
  // Wakes this many idle threads, or all of them (each wake-up costs the pass).
  void Wake(size_t threads, bool all);
  void Work();

  const tReadAheadSettings settings_;
  const Warm warm_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<std::thread> threads_;
  tReadAheadPlan plan_;
  tReadAhead* folder_ = nullptr;  // the folder being read ahead, if any
  size_t idle_ = 0;
  bool quit_ = false;
};

// The read-ahead of one folder's file list, for as long as the pass works through it.
class tReadAhead {
 public:
  // prefix + names[i] are the files, in the pass's order. Both must stay unchanged until
  // Stop. Only the newest folder is read ahead: attaching one ends an older one's.
  tReadAhead(const std::string& prefix, const std::vector<std::string>& names,
             tReadAheadPool& pool = tReadAheadPool::Shared());
  ~tReadAhead() { Stop(); }
  tReadAhead(const tReadAhead&) = delete;
  tReadAhead& operator=(const tReadAhead&) = delete;

  // The pass begins the file at index.
  void Reached(size_t index);
  // No warm-up of this list starts after this returns, and the pool no longer looks at
  // the list; warm-ups under way finish on their own copy of the path.
  void Stop();

 private:
  friend class tReadAheadPool;

  tReadAheadPool& pool_;
  const std::string& prefix_;
  const std::vector<std::string>& names_;
  bool attached_ = false;
};
