#include "readers/WebpFile.h"

#include "readers/IsoBoxes.h"

tWEBPFile::tWEBPFile(const std::string& fileName)
    : tWEBPFile(tBaseFile::OpenClassified(fileName)) {}

tWEBPFile::tWEBPFile(tClassifiedFile file) : tExifFile(std::move(file)) {
  // Chunks after the 12-byte header: identifier, little-endian size, data, a pad byte
  // after odd sizes. The RIFF size is not trusted: the walk ends with the file.
  int64_t at = 12;
  for (int chunks = 0; chunks < kMaxChunks; ++chunks) {
    const uint8_t* header = Stream->Peek(at, 8);
    if (header == nullptr) break;
    const uint32_t size = static_cast<uint32_t>(header[4]) | header[5] << 8 | header[6] << 16 |
                          static_cast<uint32_t>(header[7]) << 24;
    if (std::string(reinterpret_cast<const char*>(header), 4) == "EXIF") {
      // Some writers keep the "Exif" identifier of JPEG's APP1 segment in front.
      const int64_t data = at + 8;
      const int64_t tiff =
          ReadBytes(*Stream, data, 6) == std::string("Exif\0\0", 6) ? data + 6 : data;
      if (TiffHeaderAt(tiff) && UseTiffAt(tiff)) return;
    }
    at += 8 + static_cast<int64_t>(size) + (size & 1);
  }
  throw EExifException::NoExifDataIn(FileName);
}
