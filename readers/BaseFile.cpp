#include "readers/BaseFile.h"

#include <cstring>
#include <utility>

#include "platform/Errors.h"

namespace {

const std::string kLittleEndianTiff("II*\0", 4);
const std::string kBigEndianTiff("MM\0*", 4);

}  // namespace

EExifException EExifException::NoExifDataIn(const std::string& fileName) {
  return EExifException("No Exif data in file '" + fileName + "'");
}

tFileKind tBaseFile::GetFileKind(const std::string& fileName) {
  TDataStream stream(fileName);
  return GetFileKind(stream, fileName);
}

tFileKind tBaseFile::GetFileKind(TDataStream& stream, const std::string& fileName) {
  try {
    // The order of the tests decides: a RIFF clip with an embedded Exif block in the
    // window is read as TIFF, and "II*" anywhere wins over an earlier "MM".
    stream.Seek(0);
    const uint16_t leading = stream.ReadWord();
    if (leading == 0xD8FF) return fkJPEG;
    if (stream.Find(kLittleEndianTiff) >= 0) return fkRAW1;
    if (stream.Find(kBigEndianTiff) >= 0) return fkRAW1;
    if (leading == 0x4D4D || leading == 0x4949) return fkRAW0;
    stream.Seek(0);
    char header[13];
    const size_t read = stream.Read(header, sizeof header);
    std::memset(header + read, 0, sizeof header - read);
    if (std::memcmp(header, "RIFF", 4) == 0) {
      if (std::memcmp(header + 8, "AVI ", 4) == 0) return fkAVI;
      if (std::memcmp(header + 8, "WAVE", 4) == 0) return fkWAVE;
    }
    throw EExifException::NoExifDataIn(fileName);
  } catch (const EInOutError&) {
    return fkUnknown;
  }
}

tClassifiedFile tBaseFile::OpenClassified(const std::string& fileName) {
  tClassifiedFile file;
  file.FileName = fileName;
  file.Stream = std::make_unique<TDataStream>(fileName);
  file.FileKind = GetFileKind(*file.Stream, fileName);
  return file;
}

tBaseFile::tBaseFile(const std::string& fileName) : tBaseFile(OpenClassified(fileName)) {}

tBaseFile::tBaseFile(tClassifiedFile file)
    : FileKind(file.FileKind),
      FileName(std::move(file.FileName)),
      Stream(std::move(file.Stream)),
      FileSize(static_cast<int32_t>(static_cast<uint32_t>(Stream->Size()))) {
  Stream->Seek(0);
}

std::string TrimControls(const std::string& text) {
  const auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  size_t first = 0;
  size_t last = text.size();
  while (first < last && isControl(text[first])) ++first;
  while (last > first && isControl(text[last - 1])) --last;
  return text.substr(first, last - first);
}
