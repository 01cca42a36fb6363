// tRAW0File and tRAW1File on any bytes: TIFF found at 0 or by signature, then the walk.
#include <cstdint>

#include "readers/ExifFile.h"
#include "tests/fuzz/FuzzFile.h"
#include "tests/fuzz/ReaderChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = fuzz::WriteInput(data, size);
  {
    tRAW0File reader(tClassifiedFile{path, std::make_unique<TDataStream>(path), fkRAW0});
    fuzz::CheckReader(reader, 256);
    fuzz::Require(reader.TiffOffset == 0, "RAW0 reads TIFF at 0");
  }
  try {
    tRAW1File reader(tClassifiedFile{path, std::make_unique<TDataStream>(path), fkRAW1});
    fuzz::CheckReader(reader, 256);
    fuzz::Require(reader.TiffOffset >= 0 && reader.TiffOffset <= 81920, "signature in the window");
  } catch (const EExifException&) {
  }
  return 0;
}
