#include "readers/OpenReader.h"

#include "readers/ExifFile.h"
#include "readers/RiffFile.h"

std::unique_ptr<tBaseFile> OpenReader(const std::string& fileName) {
  tClassifiedFile file = tBaseFile::OpenClassified(fileName);
  switch (file.FileKind) {
    case fkJPEG:
      return std::make_unique<tJPEGFile>(std::move(file));
    case fkAVI:
    case fkWAVE:
      return std::make_unique<tRIFFFile>(std::move(file));
    case fkRAW0:
      return std::make_unique<tRAW0File>(std::move(file));
    case fkRAW1:
      return std::make_unique<tRAW1File>(std::move(file));
    case fkUnknown:
      break;
  }
  return nullptr;
}
