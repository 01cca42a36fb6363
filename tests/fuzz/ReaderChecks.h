#pragma once

#include <string>

#include "readers/BaseFile.h"

namespace fuzz {

// The five values of a reader, read twice to show that no call depends on another.
struct ReaderValues {
  TDateTime dateTime = 0;
  TDateTime original = 0;
  std::string model;
  tImageSize size;
  bool portrait = false;
  friend bool operator==(const ReaderValues&, const ReaderValues&) = default;
};

// Reads all five values, checks what holds for every reader and returns them.
// maxModel is the longest model text the reader can return.
ReaderValues CheckReader(tBaseFile& reader, size_t maxModel);

}  // namespace fuzz
