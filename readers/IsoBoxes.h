#pragma once

#include <cstdint>
#include <string>

#include "readers/DataStream.h"

// The box structure of ISO base media files (MP4, QuickTime, 3GP, HEIF, AVIF, CR3): each
// box is a big-endian 32-bit size, a four-character type, an optional 64-bit size (when
// the 32-bit one is 1) and, for type "uuid", a 16-byte extended type; size 0 runs to the
// end of the enclosing box. Only headers are read: a walk seeks from box to box.

// A four-character code as the big-endian number the file stores.
constexpr uint32_t FourCC(const char (&code)[5]) {
  return static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(code[3]));
}

// Where one box lies. Start <= Payload <= End, all within the enclosing box.
struct tBox {
  uint32_t Type = 0;
  int64_t Start = 0;    // the first byte of the header
  int64_t Payload = 0;  // the first byte after the header (and after a uuid's extended type)
  int64_t End = 0;      // one past the last byte
  uint8_t Uuid[16] = {};
  int64_t PayloadSize() const { return End - Payload; }
};

// Big-endian numbers at a position; false (and the value 0) when the file lacks the bytes.
bool ReadBe16(TDataStream& stream, int64_t position, uint16_t& value);
bool ReadBe32(TDataStream& stream, int64_t position, uint32_t& value);
bool ReadBe64(TDataStream& stream, int64_t position, uint64_t& value);
// An unsigned big-endian number of 0 to 8 bytes (0 bytes: the value 0).
bool ReadBeSized(TDataStream& stream, int64_t position, int bytes, uint64_t& value);
// Up to `count` bytes at a position, as many as the file has.
std::string ReadBytes(TDataStream& stream, int64_t position, size_t count);

// The children of a box (or of the whole file), one header at a time. A header that does not
// fit, a size smaller than the header or the end of the range ends the walk; a box whose size
// reaches past the range (a file cut short) is taken as ending with it.
class tBoxWalk {
 public:
  // The boxes in [begin, end); end is clamped to the file's size.
  tBoxWalk(TDataStream& stream, int64_t begin, int64_t end);
  // The children of a box's payload from `skip` bytes on (a full box's version and flags).
  tBoxWalk(TDataStream& stream, const tBox& parent, int64_t skip = 0);
  // The next box; false when there is none.
  bool Next(tBox& box);
  // The first box of this type from here on; false when there is none.
  bool Find(uint32_t type, tBox& box);

  // The most boxes one walk visits: far more than any real file has side by side.
  static constexpr int kMaxBoxes = 1 << 16;

 private:
  TDataStream* stream_;
  int64_t at_;
  int64_t end_;
  int count_ = 0;
};

// The children of a "meta" box. ISO files make it a full box (version and flags first);
// QuickTime writes it as a plain box whose first child follows at once.
tBoxWalk MetaChildren(TDataStream& stream, const tBox& meta);
