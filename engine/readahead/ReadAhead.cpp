#include "engine/readahead/ReadAhead.h"

#include <algorithm>
#include <system_error>

#include "platform/Prefetch.h"

void tReadAheadPlan::Begin(size_t count) {
  count_ = count;
  reached_ = 0;
  next_ = 1;
}

size_t tReadAheadPlan::Reached(size_t index) {
  reached_ = index;
  next_ = std::max(next_, index + 1);
  return next_ <= index + settings_.Ahead / 2 ? Waiting() : 0;
}

size_t tReadAheadPlan::Waiting() const {
  const size_t end = std::min(count_, reached_ + settings_.Ahead + 1);
  if (next_ >= end) return 0;
  const size_t stride = Probing() ? settings_.ProbeStride : 1;
  return (end - next_ + stride - 1) / stride;
}

bool tReadAheadPlan::Take(size_t& index) {
  if (Waiting() == 0) return false;
  index = next_;
  next_ += Probing() ? settings_.ProbeStride : 1;
  return true;
}

void tReadAheadPlan::Note(tWarmResult result) {
  switch (result) {
    case tWarmResult::Failed:  // a vanished file says nothing of the cache
      break;
    case tWarmResult::Cached:
      cachedInARow_ = std::min(cachedInARow_ + 1, settings_.CachedBeforeProbing);
      break;
    case tWarmResult::Read:
      if (Probing()) next_ = std::min(next_, reached_ + 1);  // the skipped files too
      cachedInARow_ = 0;
      break;
  }
}

tReadAheadPool::tReadAheadPool(const tReadAheadSettings& settings, Warm warm)
    : settings_(settings), warm_(std::move(warm)), plan_(settings) {}

tReadAheadPool::~tReadAheadPool() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    folder_ = nullptr;
  }
  wake_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

tReadAheadPool& tReadAheadPool::Shared() {
  static tReadAheadPool pool(tReadAheadSettings(), &WarmHead);
  return pool;
}

bool tReadAheadPool::Attach(tReadAhead& folder) {
  size_t wake = 0;
  bool all = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    StartThreads(1);  // a warm folder needs no more
    if (threads_.empty()) return false;
    folder_ = &folder;
    plan_.Begin(folder.names_.size());
    wake = std::min(idle_, plan_.Waiting());
    all = wake > 0 && wake == idle_;
  }
  Wake(wake, all);
  return true;
}

void tReadAheadPool::Detach(tReadAhead& folder) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (folder_ == &folder) folder_ = nullptr;
}

void tReadAheadPool::Reached(tReadAhead& folder, size_t index) {
  size_t wake = 0;
  bool all = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (folder_ != &folder) return;
    wake = std::min(idle_, plan_.Reached(index));
    all = wake > 0 && wake == idle_;
  }
  Wake(wake, all);
}

void tReadAheadPool::StartThreads(int count) {
  if (quit_) return;
  try {
    while (static_cast<int>(threads_.size()) < std::min(count, settings_.Threads))
      threads_.push_back(platform::StartPrefetchThread([this] { Work(); }));
  } catch (const std::system_error&) {
    // Fewer threads than asked for; none at all means no read-ahead.
  }
}

void tReadAheadPool::Wake(size_t threads, bool all) {
  if (all) {
    wake_.notify_all();
  } else {
    for (; threads > 0; --threads) wake_.notify_one();
  }
}

void tReadAheadPool::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!quit_) {
    size_t index;
    if (folder_ == nullptr || !plan_.Take(index)) {
      ++idle_;
      wake_.wait(lock);
      --idle_;
      continue;
    }
    tWarmResult result = tWarmResult::Failed;
    try {
      const std::string path = folder_->prefix_ + folder_->names_[index];
      lock.unlock();
      result = warm_(path);
    } catch (...) {
      // No memory for the path, say: the pass reads the file all the same.
    }
    if (!lock.owns_lock()) lock.lock();
    const bool wasProbing = plan_.Probing();
    plan_.Note(result);
    if (result == tWarmResult::Read) {
      StartThreads(settings_.Threads);  // the device is slow: all the reads in flight allowed
      if (wasProbing) wake_.notify_all();
    }
  }
}

tReadAhead::tReadAhead(const std::string& prefix, const std::vector<std::string>& names,
                       tReadAheadPool& pool)
    : pool_(pool), prefix_(prefix), names_(names) {
  attached_ = names.size() > 1 && pool_.Attach(*this);
}

void tReadAhead::Reached(size_t index) {
  if (attached_) pool_.Reached(*this, index);
}

void tReadAhead::Stop() {
  if (attached_) pool_.Detach(*this);
  attached_ = false;
}
