// tCR3File on any bytes: Canon CR3 files: the moov box, Canon's uuid box and its two TIFF blocks.
#include <cstdint>

#include "readers/Cr3File.h"
#include "tests/fuzz/FuzzFile.h"
#include "tests/fuzz/ReaderChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = fuzz::WriteInput(data, size);
  // Straight to the reader, whatever the kind detection would say.
  try {
    tCR3File reader(tClassifiedFile{path, std::make_unique<TDataStream>(path), fkCR3});
    const fuzz::ReaderValues values = fuzz::CheckReader(reader, 256);
    fuzz::Require(reader.Cmt1.Present || reader.Cmt2.Present, "a TIFF block was found");
    fuzz::Require(values.model.empty() || reader.Cmt1.Present, "the model comes from CMT1");
  } catch (const EExifException&) {
  }
  return 0;
}
