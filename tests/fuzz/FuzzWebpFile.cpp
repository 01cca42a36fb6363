// tWEBPFile on any bytes: WebP files: the RIFF chunk walk and the EXIF chunk.
#include <cstdint>

#include "readers/WebpFile.h"
#include "tests/fuzz/FuzzFile.h"
#include "tests/fuzz/ReaderChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = fuzz::WriteInput(data, size);
  // Straight to the reader, whatever the kind detection would say.
  try {
    tWEBPFile reader(tClassifiedFile{path, std::make_unique<TDataStream>(path), fkWEBP});
    const fuzz::ReaderValues values = fuzz::CheckReader(reader, 256);
    fuzz::Require(reader.TiffOffset >= 20, "TIFF data after the RIFF and chunk headers");
  } catch (const EExifException&) {
  }
  return 0;
}
