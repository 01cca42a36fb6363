#include "readers/DataStream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace {

// The lowest start position in [from, to - length] of the pattern in data, or -1.
int64_t Search(const uint8_t* data, int64_t from, int64_t to, const uint8_t* pattern,
               int64_t length) {
  for (int64_t i = from; i + length <= to; ++i) {
    const void* first = std::memchr(data + i, pattern[0], static_cast<size_t>(to - length + 1 - i));
    if (first == nullptr) return -1;
    i = static_cast<const uint8_t*>(first) - data;
    if (std::memcmp(data + i + 1, pattern + 1, static_cast<size_t>(length - 1)) == 0) return i;
  }
  return -1;
}

// Every file of a run needs a first piece of the same size: a few of them are kept for the
// next streams of the thread instead of going back to the heap, where a buffer of that size
// costs far more to get than a small one.
constexpr size_t kKeptPieces = 4;
thread_local std::unique_ptr<uint8_t[]> keptPieces[kKeptPieces];
thread_local size_t keptCount = 0;

std::unique_ptr<uint8_t[]> NewBuffer(size_t count) {
  if (count == TDataStream::kFirstPiece && keptCount > 0) return std::move(keptPieces[--keptCount]);
  return std::make_unique_for_overwrite<uint8_t[]>(count);
}

void KeepBuffer(std::unique_ptr<uint8_t[]>& buffer, size_t capacity) {
  if (buffer && capacity == TDataStream::kFirstPiece && keptCount < kKeptPieces)
    keptPieces[keptCount++] = std::move(buffer);
}

}  // namespace

TDataStream::TDataStream(const std::string& fileName)
    : TDataStream(platform::RealFileSystem().OpenForReading(fileName)) {}

TDataStream::TDataStream(std::unique_ptr<platform::ReadableFile> file) : file_(std::move(file)) {}

TDataStream::Held::~Held() { KeepBuffer(data, capacity); }

void TDataStream::Held::Reserve(size_t count, size_t keep) {
  if (count <= capacity) return;
  std::unique_ptr<uint8_t[]> grown = NewBuffer(count);
  if (keep > 0) std::memcpy(grown.get(), data.get(), std::min(keep, size));
  KeepBuffer(data, capacity);
  data = std::move(grown);
  capacity = count;
}

const TDataStream::Held* TDataStream::Hold(int64_t position, size_t count, int64_t limit) {
  const auto covers = [&](const Held& held) {
    return position >= held.start &&
           (position + static_cast<int64_t>(count) <= held.end() || held.complete);
  };
  if (overlaid_ && position >= overlay_.start) return &overlay_;
  if (count > static_cast<size_t>(limit) || position > std::numeric_limits<int64_t>::max() - limit)
    return nullptr;
  if (covers(window_)) return &window_;
  const int64_t end = position + static_cast<int64_t>(count);
  if (end <= kHeadBytes) {
    // Grow the window in pieces that at least double it, so a walk through the first
    // kilobytes costs a handful of reads.
    const int64_t have = static_cast<int64_t>(window_.size);
    FillWindow(std::min(kHeadBytes, std::max({end, kFirstPiece, have * 2})));
    if (covers(window_)) return &window_;
  }
  if (covers(block_)) return &block_;
  if (position >= Size()) {
    // Past the end there is nothing to read: no need to ask the file.
    block_.start = position;
    block_.size = 0;
    block_.complete = true;
    return &block_;
  }
  FillBlock(position, count);
  return covers(block_) ? &block_ : nullptr;
}

size_t TDataStream::Read(void* buffer, size_t count) {
  if (count == 0) return 0;
  const Held* held = Hold(position_, count, kBlockBytes);
  if (held == nullptr) return ReadDirect(buffer, count);
  // Fewer bytes than asked for only where the file ends.
  const size_t done = static_cast<size_t>(
      std::clamp<int64_t>(held->end() - position_, 0, static_cast<int64_t>(count)));
  if (done > 0) std::memcpy(buffer, held->begin() + (position_ - held->start), done);
  position_ += static_cast<int64_t>(done);
  return done;
}

size_t TDataStream::ReadDirect(void* buffer, size_t count) {
  const size_t done = file_->ReadAt(position_, buffer, count);
  position_ += static_cast<int64_t>(done);
  return done;
}

const uint8_t* TDataStream::Peek(int64_t position, size_t count) {
  const Held* held = Hold(position, count, kMaxPeek);
  if (held == nullptr || position + static_cast<int64_t>(count) > held->end()) return nullptr;
  return held->begin() + (position - held->start);
}

void TDataStream::Overlay(int64_t start, std::vector<uint8_t> bytes) {
  overlay_.start = start;
  overlay_.Reserve(bytes.size(), 0);
  if (!bytes.empty()) std::memcpy(overlay_.data.get(), bytes.data(), bytes.size());
  overlay_.size = bytes.size();
  overlay_.complete = true;
  overlaid_ = true;
}

void TDataStream::ReadPadded(void* buffer, size_t count) {
  const size_t read = Read(buffer, count);
  if (read < count) std::memset(static_cast<char*>(buffer) + read, 0, count - read);
}

uint8_t TDataStream::ReadByte() {
  uint8_t value;
  ReadPadded(&value, 1);
  return value;
}

uint16_t TDataStream::ReadWord() {
  uint8_t bytes[2];
  ReadPadded(bytes, 2);
  return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

int32_t TDataStream::ReadLong() {
  uint8_t bytes[4];
  ReadPadded(bytes, 4);
  return static_cast<int32_t>(
      static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
      static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

char TDataStream::ReadChar() { return static_cast<char>(ReadByte()); }

std::string TDataStream::ReadString(int32_t count) {
  if (count <= 0) return std::string();
  const size_t n = static_cast<size_t>(std::min(count, kMaxStringLength));
  char buffer[kMaxStringLength + 2];
  const size_t read = Read(buffer, n);
  return std::string(buffer, strnlen(buffer, read));
}

void TDataStream::FillWindow(int64_t bytes) {
  if (window_.complete || static_cast<int64_t>(window_.size) >= bytes) return;
  const size_t have = window_.size;
  const size_t want = static_cast<size_t>(bytes);
  window_.Reserve(want, have);
  const size_t read =
      file_->ReadAt(static_cast<int64_t>(have), window_.data.get() + have, want - have);
  window_.size = have + read;
  if (window_.size < want) window_.complete = true;
}

void TDataStream::FillBlock(int64_t start, size_t count) {
  // Start a little before the read: walks step back and forth around an offset.
  const int64_t from = std::max<int64_t>(0, start - kBlockBytes / 4);
  const size_t length = static_cast<size_t>(
      std::max<int64_t>(kBlockBytes, start - from + static_cast<int64_t>(count)));
  // A failed read leaves nothing held that could be taken for the file's bytes.
  block_.size = 0;
  block_.complete = false;
  block_.Reserve(length, 0);
  const size_t read = file_->ReadAt(from, block_.data.get(), length);
  block_.start = from;
  block_.size = read;
  block_.complete = read < length;
}

int32_t TDataStream::Find(const std::string& pattern) {
  const int64_t length = static_cast<int64_t>(pattern.size());
  if (length == 0) return -1;
  // Start positions 0..SearchLimit with at least one byte of the file after the pattern.
  const int64_t lastStart = std::min<int64_t>(SearchLimit, Size() - length - 1);
  if (lastStart < 0) return -1;
  const int64_t needed = lastStart + length;  // the bytes the last probe compares
  const auto* first = reinterpret_cast<const uint8_t*>(pattern.data());
  const auto found = [&](const uint8_t* data, int64_t from, int64_t to) {
    return Search(data, from, to, first, length);
  };

  // Most signatures sit near the start: read the window in growing pieces, once in all.
  int64_t nextStart = 0;
  for (int64_t want = std::min<int64_t>(needed, kFirstPiece);; want = std::min(needed, want * 4)) {
    FillWindow(want);
    const int64_t have = std::min<int64_t>(static_cast<int64_t>(window_.size), want);
    if (have - length >= nextStart) {
      const int64_t hit = found(window_.begin(), nextStart, have);
      if (hit >= 0) return PositionAfter(hit, length);
      nextStart = have - length + 1;
    }
    if (have < want) break;  // the file shrank after its size was taken
    if (want == needed) return -1;
  }
  // Bytes the file no longer has read as zero, as a probe-by-probe search would see them.
  std::vector<uint8_t> padded(window_.begin(), window_.begin() + window_.size);
  padded.resize(static_cast<size_t>(needed), 0);
  const int64_t hit = found(padded.data(), nextStart, needed);
  return hit >= 0 ? PositionAfter(hit, length) : -1;
}

int32_t TDataStream::PositionAfter(int64_t hit, int64_t length) {
  Seek(hit + length);
  return static_cast<int32_t>(hit);
}
