#pragma once

#include <memory>
#include <string>

#include "readers/BaseFile.h"
#include "readers/ExifFile.h"
#include "readers/RiffFile.h"

namespace test {

// The reader the kind calls for, built the long way: classify, then construct by name.
// What OpenReader does in one open must give the same results.
inline std::unique_ptr<tBaseFile> ReaderByKind(const std::string& path) {
  switch (tBaseFile::GetFileKind(path)) {
    case fkJPEG:
      return std::make_unique<tJPEGFile>(path);
    case fkAVI:
    case fkWAVE:
      return std::make_unique<tRIFFFile>(path);
    case fkRAW0:
      return std::make_unique<tRAW0File>(path);
    case fkRAW1:
      return std::make_unique<tRAW1File>(path);
    case fkUnknown:
      break;
  }
  return nullptr;
}

}  // namespace test
