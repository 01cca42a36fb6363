// The dates of texts beside the media: Google Takeout's JSON and file names, on any bytes.
#include <cstdint>
#include <string_view>

#include "platform/DateTime.h"
#include "readers/FileNameDate.h"
#include "readers/TakeoutJson.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TDateTime latest = platform::EncodeDateTime({2100, 1, 1, 0, 0, 0, 0});
  const TDateTime taken = TakeoutPhotoTaken(text);
  fuzz::Require(taken >= 0, "no date or a date after 1899");
  const TDateTime named = DateFromFileName(text, latest);
  fuzz::Require(named == 0 || (platform::DecodeDateTime(named).year >= 1989 && named <= latest),
                "a name's date from 1990 (local time may fall a day before) up to the latest");
  return 0;
}
