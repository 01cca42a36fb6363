#include "readers/BaseFile.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "readers/IsoBoxes.h"

namespace {

const std::string kLittleEndianTiff("II*\0", 4);
const std::string kBigEndianTiff("MM\0*", 4);
const char kPngSignature[] = "\x89PNG\r\n\x1A\n";

// Major brands of HEIF still images: HEVC (heic, heix and their multi-layer forms), AV1
// (avif), and the brands that promise only the image structure (mif1, mif2, miaf).
constexpr uint32_t kImageBrands[] = {FourCC("heic"), FourCC("heix"), FourCC("heim"),
                                     FourCC("heis"), FourCC("mif1"), FourCC("mif2"),
                                     FourCC("miaf"), FourCC("avif"), FourCC("avio")};
// Boxes that QuickTime movies written before the file-type box existed start with.
constexpr uint32_t kQuickTimeFirstBoxes[] = {FourCC("moov"), FourCC("mdat"), FourCC("wide"),
                                             FourCC("free"), FourCC("skip"), FourCC("pnot")};

bool Contains(const uint32_t* begin, const uint32_t* end, uint32_t value) {
  return std::find(begin, end, value) != end;
}

// The container formats told by their first bytes; fkUnknown for none of them.
tFileKind ContainerKind(TDataStream& stream) {
  const uint8_t* head = stream.Peek(0, 12);
  if (head == nullptr) return fkUnknown;
  if (std::memcmp(head, kPngSignature, 8) == 0) return fkPNG;
  if (std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WEBP", 4) == 0) return fkWEBP;
  const uint32_t type =
      static_cast<uint32_t>(head[4]) << 24 | head[5] << 16 | head[6] << 8 | head[7];
  if (type == FourCC("ftyp")) {
    const uint32_t brand =
        static_cast<uint32_t>(head[8]) << 24 | head[9] << 16 | head[10] << 8 | head[11];
    if (brand == FourCC("crx ")) return fkCR3;
    if (Contains(std::begin(kImageBrands), std::end(kImageBrands), brand)) return fkHEIF;
    return fkMP4;
  }
  if (Contains(std::begin(kQuickTimeFirstBoxes), std::end(kQuickTimeFirstBoxes), type))
    return fkMP4;
  return fkUnknown;
}

}  // namespace

EExifException EExifException::NoExifDataIn(const std::string& fileName) {
  return EExifException("No Exif data in file '" + fileName + "'");
}

tFileKind tBaseFile::GetFileKind(const std::string& fileName) {
  TDataStream stream(fileName);
  return GetFileKind(stream, fileName);
}

tFileKind tBaseFile::GetFileKind(TDataStream& stream, const std::string& fileName) {
  // The order of the tests decides: a RIFF clip with an embedded Exif block in the
  // window is read as TIFF, and "II*" anywhere wins over an earlier "MM".
  stream.Seek(0);
  const uint16_t leading = stream.ReadWord();
  if (leading == 0xD8FF) return fkJPEG;
  // Before the signature search: these files often hold a TIFF header near their start
  // (an Exif block), which their own reader finds properly.
  const tFileKind container = ContainerKind(stream);
  if (container != fkUnknown) return container;
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
}

tClassifiedFile tBaseFile::OpenClassified(const std::string& fileName) {
  return OpenClassified(platform::RealFileSystem(), fileName);
}

tClassifiedFile tBaseFile::OpenClassified(platform::FileSystem& files,
                                          const std::string& fileName) {
  tClassifiedFile file;
  file.FileName = fileName;
  file.Stream = std::make_unique<TDataStream>(files.OpenForReading(fileName));
  file.FileKind = GetFileKind(*file.Stream, fileName);
  return file;
}

tBaseFile::tBaseFile(const std::string& fileName) : tBaseFile(OpenClassified(fileName)) {}

tBaseFile::tBaseFile(tClassifiedFile file)
    : FileKind(file.FileKind), FileName(std::move(file.FileName)), Stream(std::move(file.Stream)) {
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
