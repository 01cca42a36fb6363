#include "readers/OpenReader.h"

#include "platform/FileSystem.h"
#include "readers/Cr3File.h"
#include "readers/ExifFile.h"
#include "readers/HeifFile.h"
#include "readers/Mp4File.h"
#include "readers/PngFile.h"
#include "readers/RiffFile.h"
#include "readers/WebpFile.h"

namespace {

std::unique_ptr<tBaseFile> ReaderFor(tClassifiedFile file, const tReaderOptions& options) {
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
    case fkHEIF:
      return std::make_unique<tHEIFFile>(std::move(file));
    case fkCR3:
      return std::make_unique<tCR3File>(std::move(file));
    case fkMP4:
      return std::make_unique<tMP4File>(std::move(file), options.VideoTimesAreLocal);
    case fkPNG:
      return std::make_unique<tPNGFile>(std::move(file));
    case fkWEBP:
      return std::make_unique<tWEBPFile>(std::move(file));
    case fkUnknown:
      break;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<tBaseFile> OpenReader(const std::string& fileName) {
  return OpenReader(platform::RealFileSystem(), fileName, tReaderOptions());
}

std::unique_ptr<tBaseFile> OpenReader(platform::FileSystem& files, const std::string& fileName,
                                      const tReaderOptions& options) {
  tClassifiedFile file = tBaseFile::OpenClassified(files, fileName);
  const tFileKind kind = file.FileKind;
  try {
    return ReaderFor(std::move(file), options);
  } catch (EExifException& failure) {
    failure.Kind = kind;  // a file of this kind, without the metadata it may hold
    throw;
  }
}

std::unique_ptr<tBaseFile> OpenBare(platform::FileSystem& files, const std::string& fileName) {
  return std::make_unique<tBareFile>(tBaseFile::OpenClassified(files, fileName));
}
