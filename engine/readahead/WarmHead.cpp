#include "engine/readahead/WarmHead.h"

#include <algorithm>
#include <cstdint>

#include "platform/Prefetch.h"
#include "readers/DataStream.h"
#include "readers/HeadBytes.h"

namespace {

// What a cold file is asked for before its first bytes are known: what a plain read of
// its first piece brings into the cache on Linux, and all that nearly every JPEG needs.
constexpr size_t kAskedBytes = 16 * 1024;

}  // namespace

tWarmResult WarmHead(const std::string& path) {
  platform::PrefetchFile file(path);
  if (!file.IsOpen()) return tWarmResult::Failed;
  uint8_t head[TDataStream::kFirstPiece];
  const size_t piece = static_cast<size_t>(std::min<int64_t>(sizeof head, file.Size()));
  bool cached = true;
  size_t have = file.ReadCached(0, head, piece);
  if (have < piece) {
    // Not in the cache. Where the system takes requests, ask for what nearly every file
    // needs and go on at once: many files are then on their way together. Elsewhere the
    // head is read, and what it shows decides how far to go on.
    if (file.Ask(0, kAskedBytes)) return tWarmResult::Read;
    have += file.ReadAt(static_cast<int64_t>(have), head + have, piece - have, cached);
  }
  const int64_t needed = std::min(HeadBytesNeeded(head, have), file.Size());
  if (needed > static_cast<int64_t>(have) &&
      !file.Ask(static_cast<int64_t>(have), static_cast<size_t>(needed) - have)) {
    uint8_t scratch[16 * 1024];
    for (int64_t at = static_cast<int64_t>(have); at < needed;) {
      const size_t count = static_cast<size_t>(std::min<int64_t>(sizeof scratch, needed - at));
      const size_t read = file.ReadAt(at, scratch, count, cached);
      if (read == 0) break;
      at += static_cast<int64_t>(read);
    }
  }
  return cached ? tWarmResult::Cached : tWarmResult::Read;
}
