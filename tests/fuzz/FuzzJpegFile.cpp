// tJPEGFile on any bytes: the APP1 search, the "Exif" test and the IFD walk.
#include <cstdint>

#include "readers/ExifFile.h"
#include "tests/fuzz/FuzzFile.h"
#include "tests/fuzz/ReaderChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = fuzz::WriteInput(data, size);
  // Straight to the JPEG reader, whatever the kind detection would say.
  tClassifiedFile file{path, std::make_unique<TDataStream>(path), fkJPEG};
  try {
    tJPEGFile reader(std::move(file));
    fuzz::CheckReader(reader, 256);
    fuzz::Require(reader.TiffOffset >= 10, "TIFF header after the marker");
  } catch (const EExifException&) {
  }
  return 0;
}
