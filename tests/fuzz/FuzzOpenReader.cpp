// Kind detection and the reader the kind calls for, as the rename pass uses them.
// OpenReader must give what classifying first and then constructing by name gives.
#include <cstdint>

#include "readers/ExifFile.h"
#include "readers/OpenReader.h"
#include "tests/support/ReaderByKind.h"
#include "readers/RiffFile.h"
#include "tests/fuzz/FuzzFile.h"
#include "tests/fuzz/ReaderChecks.h"

namespace {

using test::ReaderByKind;

// The values of the reader, or nothing when there is none or it raised EExifException.
bool Open(std::unique_ptr<tBaseFile> (*open)(const std::string&), const std::string& path,
          fuzz::ReaderValues& values, tFileKind& kind) {
  try {
    const std::unique_ptr<tBaseFile> reader = open(path);
    if (!reader) return false;
    kind = reader->FileKind;
    const bool riff = kind == fkAVI || kind == fkWAVE;
    values = fuzz::CheckReader(*reader, riff ? 4094 : 256);
    if (riff) fuzz::Require(values.dateTime == values.original, "RIFF files carry one date");
    return true;
  } catch (const EExifException& e) {
    fuzz::Require(std::string(e.what()) == "No Exif data in file '" + path + "'", "message");
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = fuzz::WriteInput(data, size);
  fuzz::ReaderValues once, twice;
  tFileKind kindOnce = fkUnknown, kindTwice = fkUnknown;
  const bool openedOnce = Open(OpenReader, path, once, kindOnce);
  const bool openedTwice = Open(ReaderByKind, path, twice, kindTwice);
  fuzz::Require(openedOnce == openedTwice, "OpenReader raises where classify + construct does");
  if (openedOnce) {
    fuzz::Require(kindOnce == kindTwice, "same kind");
    fuzz::Require(once == twice, "same values");
  }
  return 0;
}
