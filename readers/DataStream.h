#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

// The one way the readers touch a file: fixed-width little-endian reads, a bounded read
// of zero-terminated text and a forward search for a byte pattern near the start.
// Reads past the end deliver zero bytes; a read the system cannot do raises EReadError,
// so a reader never takes a failed read for a missing value.
//
// The readers make hundreds of tiny reads per file, nearly all of them in the first few
// kilobytes. So the stream keeps the start of the file (the search window) and one block
// elsewhere in memory and serves small reads from there; a file is never read whole.
class TDataStream {
 public:
  // Highest start position Find tries.
  static constexpr int32_t kDefaultSearchLimit = 81920;
  // The longest text ReadString returns.
  static constexpr int32_t kMaxStringLength = 4094;
  // The first piece of the window that Find or a read near the start loads.
  static constexpr int64_t kFirstPiece = 4096;
  // Reads that end within this many bytes of the start are served from the window.
  static constexpr int64_t kHeadBytes = 128 * 1024;
  // Reads further on load a block of this size around them.
  static constexpr int64_t kBlockBytes = 16 * 1024;
  // The most Peek answers: a whole IFD of 65535 entries.
  static constexpr int64_t kMaxPeek = 1024 * 1024;

  // Opens the file on the real file system; throws EFOpenError when it cannot be opened.
  explicit TDataStream(const std::string& fileName);
  // Reads a file opened before.
  explicit TDataStream(std::unique_ptr<platform::ReadableFile> file);
  virtual ~TDataStream() = default;
  TDataStream(const TDataStream&) = delete;
  TDataStream& operator=(const TDataStream&) = delete;

  // The file's size when it was opened: the window and the searches see the file as it
  // was then.
  int64_t Size() const { return file_->Facts().size; }
  // Its size and times when it was opened.
  const platform::FileFacts& FactsWhenOpened() const { return file_->Facts(); }

  int64_t Position() const { return position_; }
  // Any position is allowed, also beyond the end; reads there deliver nothing.
  void Seek(int64_t position) { position_ = position < 0 ? 0 : position; }

  // Reads up to count bytes at the position and advances past what was read; fewer only
  // where the file ends. Small reads are answered from the bytes held.
  size_t Read(void* buffer, size_t count);
  // The same, straight from the file, without loading a window or block around the
  // bytes: for short reads far apart in a large file.
  size_t ReadDirect(void* buffer, size_t count);

  // The bytes [position, position + count) straight from memory, loading them as a read
  // would; nullptr when the file does not have them all or count exceeds kMaxPeek. The
  // position does not move. The pointer is valid until the next read or search.
  const uint8_t* Peek(int64_t position, size_t count);

  virtual uint8_t ReadByte();
  virtual uint16_t ReadWord();
  virtual int32_t ReadLong();
  virtual char ReadChar();
  // Reads Count bytes (at most 4094) and returns them up to the first zero byte.
  // A negative count reads nothing and returns the empty text.
  virtual std::string ReadString(int32_t count);
  // Lowest start position p <= SearchLimit of the pattern with at least one byte of the
  // file after it, or -1. After a hit the position is p + pattern length.
  virtual int32_t Find(const std::string& pattern);

  // From `start` on, reads and Peek see `bytes` instead of the file, and nothing after them:
  // how a reader shows data that the file keeps in pieces (an item stored in several
  // extents) as one run. Find still searches the file's own first bytes.
  void Overlay(int64_t start, std::vector<uint8_t> bytes);

  int32_t SearchLimit = kDefaultSearchLimit;

 private:
  // Bytes of the file held in memory, starting at `start`; `complete` when the file
  // ended inside them, so that nothing lies beyond. The buffer is not cleared before it
  // is filled: every file costs one or two of these.
  struct Held {
    Held() = default;
    ~Held();
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    int64_t start = 0;
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
    size_t capacity = 0;
    bool complete = false;
    const uint8_t* begin() const { return data.get(); }
    int64_t end() const { return start + static_cast<int64_t>(size); }
    // Room for at least count bytes, keeping the first `keep`.
    void Reserve(size_t count, size_t keep);
  };

  // Reads count bytes into buffer; bytes the file does not have are zero.
  void ReadPadded(void* buffer, size_t count);
  // Seeks past a pattern found at hit and returns hit.
  int32_t PositionAfter(int64_t hit, int64_t length);
  // Makes sure the first `bytes` bytes of the file (or all it has) are in window_.
  void FillWindow(int64_t bytes);
  // Loads block_ with the bytes from `start` on, at least `count` of them.
  void FillBlock(int64_t start, size_t count);
  // Makes sure the bytes a read of count bytes at position needs are held, if count is
  // at most `limit`; returns what holds them, or nullptr.
  const Held* Hold(int64_t position, size_t count, int64_t limit);

  std::unique_ptr<platform::ReadableFile> file_;
  int64_t position_ = 0;
  Held window_;   // the file's first bytes, read once for Find and the reads near the start
  Held block_;    // the last block read further into the file
  Held overlay_;  // what Overlay put in place of the file's bytes
  bool overlaid_ = false;
};
