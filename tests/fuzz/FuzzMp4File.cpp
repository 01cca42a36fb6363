// tMP4File on any bytes: MP4 and QuickTime files: the box walk to moov, mvhd, the tracks and
// Apple's keys.
#include <cstdint>

#include "readers/Mp4File.h"
#include "tests/fuzz/FuzzFile.h"
#include "tests/fuzz/ReaderChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = fuzz::WriteInput(data, size);
  // Straight to the reader, whatever the kind detection would say.
  try {
    tMP4File reader(tClassifiedFile{path, std::make_unique<TDataStream>(path), fkMP4});
    const fuzz::ReaderValues values = fuzz::CheckReader(reader, 256);
    fuzz::Require(values.dateTime == values.original, "clips carry one date");
  } catch (const EExifException&) {
  }
  return 0;
}
