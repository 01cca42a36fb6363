#include "readers/IsoBoxes.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int64_t kHeaderBytes = 8;
constexpr int64_t kLargeHeaderBytes = 16;
constexpr int64_t kUuidBytes = 16;

}  // namespace

bool ReadBeSized(TDataStream& stream, int64_t position, int bytes, uint64_t& value) {
  value = 0;
  if (bytes == 0) return true;
  if (bytes < 0 || bytes > 8) return false;
  const uint8_t* raw = stream.Peek(position, static_cast<size_t>(bytes));
  if (raw == nullptr) return false;
  for (int i = 0; i < bytes; ++i) value = value << 8 | raw[i];
  return true;
}

bool ReadBe16(TDataStream& stream, int64_t position, uint16_t& value) {
  uint64_t wide = 0;
  const bool read = ReadBeSized(stream, position, 2, wide);
  value = static_cast<uint16_t>(wide);
  return read;
}

bool ReadBe32(TDataStream& stream, int64_t position, uint32_t& value) {
  uint64_t wide = 0;
  const bool read = ReadBeSized(stream, position, 4, wide);
  value = static_cast<uint32_t>(wide);
  return read;
}

bool ReadBe64(TDataStream& stream, int64_t position, uint64_t& value) {
  return ReadBeSized(stream, position, 8, value);
}

std::string ReadBytes(TDataStream& stream, int64_t position, size_t count) {
  std::string bytes(count, '\0');
  stream.Seek(position);
  bytes.resize(stream.Read(bytes.data(), count));
  return bytes;
}

tBoxWalk::tBoxWalk(TDataStream& stream, int64_t begin, int64_t end)
    : stream_(&stream), at_(std::max<int64_t>(begin, 0)), end_(std::min(end, stream.Size())) {}

tBoxWalk::tBoxWalk(TDataStream& stream, const tBox& parent, int64_t skip)
    : tBoxWalk(stream, parent.Payload + std::min(std::max<int64_t>(skip, 0), parent.PayloadSize()),
               parent.End) {}

bool tBoxWalk::Next(tBox& box) {
  if (count_ >= kMaxBoxes || at_ >= end_ || end_ - at_ < kHeaderBytes) return false;
  ++count_;
  const uint8_t* head = stream_->Peek(at_, 8);
  if (head == nullptr) return false;
  const auto be32 = [](const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
  };
  const uint32_t size32 = be32(head);
  const uint32_t type = be32(head + 4);
  const int64_t room = end_ - at_;
  int64_t header = kHeaderBytes;
  uint64_t size = size32;
  if (size32 == 1) {
    if (room < kLargeHeaderBytes || !ReadBe64(*stream_, at_ + 8, size)) return false;
    header = kLargeHeaderBytes;
  } else if (size32 == 0) {
    size = static_cast<uint64_t>(room);
  }
  if (type == FourCC("uuid")) header += kUuidBytes;
  if (size < static_cast<uint64_t>(header) || room < header) return false;
  box.Type = type;
  box.Start = at_;
  box.Payload = at_ + header;
  // Compared unsigned: a 64-bit size beyond the range cannot wrap into it.
  box.End = size > static_cast<uint64_t>(room) ? end_ : at_ + static_cast<int64_t>(size);
  std::memset(box.Uuid, 0, sizeof box.Uuid);
  if (type == FourCC("uuid")) {
    const uint8_t* uuid = stream_->Peek(box.Payload - kUuidBytes, kUuidBytes);
    if (uuid == nullptr) return false;
    std::memcpy(box.Uuid, uuid, kUuidBytes);
  }
  at_ = box.End;
  return true;
}

bool tBoxWalk::Find(uint32_t type, tBox& box) {
  while (Next(box))
    if (box.Type == type) return true;
  return false;
}

tBoxWalk MetaChildren(TDataStream& stream, const tBox& meta) {
  // A full meta box starts with version 0 and no flags: four zero bytes. A QuickTime one
  // starts with the size of its first child, which is never 0 there.
  uint32_t first = 0;
  const bool plain = ReadBe32(stream, meta.Payload, first) && first != 0;
  return tBoxWalk(stream, meta, plain ? 0 : 4);
}
