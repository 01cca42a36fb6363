#include "readers/HeadBytes.h"

#include <algorithm>
#include <cstring>

#include "readers/DataStream.h"

namespace {

bool Starts(const uint8_t* head, size_t count, const char* bytes, size_t length) {
  return count >= length && std::memcmp(head, bytes, length) == 0;
}

}  // namespace

int64_t HeadBytesNeeded(const uint8_t* head, size_t count) {
  // Classification searches start positions up to the limit for a 4-byte TIFF header.
  constexpr int64_t kWindow = TDataStream::kDefaultSearchLimit + 4;
  const size_t piece = std::min<size_t>(count, TDataStream::kFirstPiece);
  if (Starts(head, piece, "\xFF\xD8", 2)) {
    for (size_t i = 0; i + 1 < piece; ++i)
      if (head[i] == 0xFF && head[i + 1] == 0xE1) return TDataStream::kFirstPiece;
    return kWindow;  // the reader looks on for the Exif marker
  }
  if (Starts(head, piece, "II*\0", 4) || Starts(head, piece, "MM\0*", 4))
    return TDataStream::kFirstPiece;
  return kWindow;
}
