// tPNGFile on any bytes: PNG files: the chunk walk, eXIf and the Creation Time texts.
#include <cstdint>

#include "readers/PngFile.h"
#include "tests/fuzz/FuzzFile.h"
#include "tests/fuzz/ReaderChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = fuzz::WriteInput(data, size);
  // Straight to the reader, whatever the kind detection would say.
  try {
    tPNGFile reader(tClassifiedFile{path, std::make_unique<TDataStream>(path), fkPNG});
    const fuzz::ReaderValues values = fuzz::CheckReader(reader, 256);
    fuzz::Require(reader.HasExif || !reader.CreationTime.empty(), "Exif data or a date text");
    fuzz::Require(reader.HasExif || values.model.empty(), "a model only from Exif data");
  } catch (const EExifException&) {
  }
  return 0;
}
