#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/InputFile.h"

// The one way the readers touch a file: fixed-width little-endian reads, a bounded read
// of zero-terminated text and a forward search for a byte pattern near the start.
// Nothing here throws once the file is open; reads past the end deliver zero bytes.
class TDataStream : public platform::InputFile {
 public:
  // Open modes; every reader asks for read-only access that denies others nothing.
  static constexpr uint16_t fmOpenRead = 0x0000;
  static constexpr uint16_t fmShareDenyNone = 0x0040;

  // Highest start position Find tries.
  static constexpr int32_t kDefaultSearchLimit = 81920;
  // The longest text ReadString returns.
  static constexpr int32_t kMaxStringLength = 4094;
  // The first piece of the window that Find reads.
  static constexpr int64_t kFirstPiece = 4096;

  // Throws EFOpenError when the file cannot be opened.
  TDataStream(const std::string& fileName, uint16_t mode = fmOpenRead | fmShareDenyNone);
  virtual ~TDataStream() = default;

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

  int32_t SearchLimit = kDefaultSearchLimit;

 private:
  // Reads count bytes into buffer; bytes the file does not have are zero.
  void ReadPadded(void* buffer, size_t count);
  // Seeks past a pattern found at hit and returns hit.
  int32_t PositionAfter(int64_t hit, int64_t length);
  // Makes sure the first `bytes` bytes of the file (or all it has) are in window_.
  void FillWindow(int64_t bytes);

  std::vector<uint8_t> window_;  // the file's first bytes, read once for Find
  bool windowComplete_ = false;  // the file ended inside the window
};
