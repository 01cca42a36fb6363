#include "tests/support/Photos.h"

#include "tests/support/MediaBuilders.h"
#include "tests/support/TiffBuilder.h"

namespace test {

std::string Photo(const PhotoInfo& info) {
  TiffBuilder tiff(ByteOrder::Little);
  if (!info.model.empty()) tiff.Ascii(0x0110, info.model);
  if (!info.dateTime.empty()) tiff.Ascii(0x0132, info.dateTime);
  tiff.ExifIfd();
  if (!info.original.empty()) tiff.Ascii(0x9003, info.original);
  if (info.width != 0) tiff.Long(0xA002, info.width);
  if (info.height != 0) tiff.Long(0xA003, info.height);
  std::string segments = ExifApp1(tiff.Bytes());
  if (!info.salt.empty()) segments += JpegSegment(0xFE, info.salt);
  return JpegFile(segments);
}

}  // namespace test
