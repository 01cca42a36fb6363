#include "tests/support/Photos.h"

#include "tests/support/ByteWriter.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/TiffBuilder.h"

namespace test {

std::string PhotoTiff(const PhotoInfo& info, ByteOrder order) {
  TiffBuilder tiff(order);
  if (!info.model.empty()) tiff.Ascii(0x0110, info.model);
  if (!info.dateTime.empty()) tiff.Ascii(0x0132, info.dateTime);
  tiff.ExifIfd();
  if (!info.original.empty()) tiff.Ascii(0x9003, info.original);
  if (!info.contentIdentifier.empty()) {
    const std::string note = AppleMakerNote(info.contentIdentifier);
    tiff.Outside(0x927C, 7, static_cast<uint32_t>(note.size()), note);
  }
  if (info.width != 0) tiff.Long(0xA002, info.width);
  if (info.height != 0) tiff.Long(0xA003, info.height);
  return tiff.Bytes();
}

std::string AppleMakerNote(const std::string& identifier) {
  // The header, one entry, the next-IFD link and the text: its offset counts from the
  // start of the note.
  const auto count = static_cast<uint32_t>(identifier.size() + 1);
  const std::string header =
      std::string("Apple iOS\0\0\1MM", 14) + Be16(1) + Be16(0x0011) + Be16(2) + Be32(count);
  if (count <= 4) {  // inside the entry
    std::string text = identifier;
    text.resize(4, '\0');
    return header + text + Be32(0);
  }
  return header + Be32(14 + 2 + 12 + 4) + Be32(0) + identifier + std::string(1, '\0');
}

std::string Raw(const PhotoInfo& info) { return PhotoTiff(info, ByteOrder::Big) + info.salt; }

std::string Photo(const PhotoInfo& info) {
  std::string segments = ExifApp1(PhotoTiff(info, ByteOrder::Little));
  if (!info.salt.empty()) segments += JpegSegment(0xFE, info.salt);
  return JpegFile(segments);
}

}  // namespace test
