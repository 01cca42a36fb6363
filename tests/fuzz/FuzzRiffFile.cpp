// tRIFFFile on any bytes: the chunk searches, the date rule and the avih header.
#include <cstdint>

#include "readers/RiffFile.h"
#include "tests/fuzz/FuzzFile.h"
#include "tests/fuzz/ReaderChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = fuzz::WriteInput(data, size);
  tRIFFFile reader(tClassifiedFile{path, std::make_unique<TDataStream>(path), fkAVI});
  const fuzz::ReaderValues values = fuzz::CheckReader(reader, 4094);
  fuzz::Require(values.dateTime == values.original, "RIFF files carry one date");
  return 0;
}
