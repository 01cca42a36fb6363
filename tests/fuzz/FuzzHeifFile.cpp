// tHEIFFile on any bytes: HEIF images: the meta box, iinf, iloc (all versions and field sizes),
// idat, ipma and the Exif item.
#include <cstdint>

#include "readers/HeifFile.h"
#include "tests/fuzz/FuzzFile.h"
#include "tests/fuzz/ReaderChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = fuzz::WriteInput(data, size);
  // Straight to the reader, whatever the kind detection would say.
  try {
    tHEIFFile reader(tClassifiedFile{path, std::make_unique<TDataStream>(path), fkHEIF});
    const fuzz::ReaderValues values = fuzz::CheckReader(reader, 256);
    fuzz::Require(!(values.size == tImageSize{}) || reader.PrimarySize == tImageSize{},
                  "the primary size fills a missing Exif size");
  } catch (const EExifException&) {
  }
  return 0;
}
