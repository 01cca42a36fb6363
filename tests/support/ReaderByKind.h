#pragma once

#include <memory>
#include <string>

#include "readers/BaseFile.h"
#include "readers/Cr3File.h"
#include "readers/ExifFile.h"
#include "readers/HeifFile.h"
#include "readers/Mp4File.h"
#include "readers/PngFile.h"
#include "readers/RiffFile.h"
#include "readers/WebpFile.h"

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
    case fkHEIF:
      return std::make_unique<tHEIFFile>(path);
    case fkCR3:
      return std::make_unique<tCR3File>(path);
    case fkMP4:
      return std::make_unique<tMP4File>(path);
    case fkPNG:
      return std::make_unique<tPNGFile>(path);
    case fkWEBP:
      return std::make_unique<tWEBPFile>(path);
    case fkUnknown:
      break;
  }
  return nullptr;
}

}  // namespace test
