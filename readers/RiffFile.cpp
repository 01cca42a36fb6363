#include "readers/RiffFile.h"

#include <algorithm>
#include <cstring>

#include "readers/DateConv.h"

namespace {

// The AVI main header: the part of avih this reader looks at.
constexpr size_t kMainHeaderBytes = 56;
constexpr size_t kWidthAt = 32;
constexpr size_t kHeightAt = 36;

int32_t LittleEndianLong(const uint8_t* bytes) {
  return static_cast<int32_t>(
      static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
      static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

}  // namespace

bool tRIFFFile::FindChunkText(const char* id, std::string& text) {
  const int32_t at = Stream->Find(id);
  if (at < 0) return false;
  Stream->Seek(static_cast<int64_t>(at) + 4);
  // A size of 2^31 or more reads as negative and gives an empty text.
  text = Stream->ReadString(Stream->ReadLong());
  return true;
}

TDateTime tRIFFFile::GetDateTime() {
  std::string date;
  if (!FindChunkText("IDIT", date)) {
    FindChunkText("ICRD", date);
    std::string time;
    if (FindChunkText("etim", time)) date += " " + time;
  }
  return date.empty() ? 0 : tDateConv(date).DateTime;
}

TDateTime tRIFFFile::GetDateTimeOriginal() { return GetDateTime(); }

std::string tRIFFFile::GetModel() {
  std::string model;
  if (!FindChunkText("ISFT", model)) FindChunkText("emdl", model);
  return TrimControls(model);
}

tImageSize tRIFFFile::GetImageSize() {
  const int32_t at = Stream->Find("avih");
  if (at < 0) return tImageSize{-1, -1};
  Stream->Seek(static_cast<int64_t>(at) + 4);
  const int32_t size = Stream->ReadLong();
  // Bytes beyond the chunk size or the end of the file count as zero; a size of 2^31 or
  // more reads as negative and counts as an empty chunk.
  uint8_t header[kMainHeaderBytes] = {};
  if (size > 0) Stream->Read(header, std::min<size_t>(static_cast<size_t>(size), sizeof header));
  return tImageSize{LittleEndianLong(header + kWidthAt), LittleEndianLong(header + kHeightAt)};
}

bool tRIFFFile::IsPortrait() {
  const tImageSize size = GetImageSize();
  return size.Width < size.Height;
}
