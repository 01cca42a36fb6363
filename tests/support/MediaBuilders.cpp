#include "tests/support/MediaBuilders.h"

#include <random>

#include "tests/support/ByteWriter.h"
#include "tests/support/IsoBuilder.h"
#include "tests/support/TiffBuilder.h"

namespace test {

namespace {

constexpr uint16_t kUndefined = 7;
constexpr uint16_t kRational = 5;

// Bytes that look like compressed data but hold no TIFF signature by chance.
std::string Noise(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) {
    auto b = static_cast<uint8_t>(random());
    if (b == 'I' || b == 'M') b = 0x48;
    c = static_cast<char>(b);
  }
  return bytes;
}

std::string Rational(const TiffBuilder& tiff, uint32_t numerator, uint32_t denominator) {
  return tiff.U32(numerator) + tiff.U32(denominator);
}

}  // namespace

std::string JpegSegment(uint8_t marker, const std::string& payload) {
  return Bytes({0xFF, marker}) + Be16(static_cast<uint16_t>(payload.size() + 2)) + payload;
}

std::string ExifApp1(const std::string& tiff) {
  return JpegSegment(0xE1, std::string("Exif\0\0", 6) + tiff);
}

std::string JpegFile(const std::string& segments, size_t imageBytes) {
  return Bytes({0xFF, 0xD8}) + segments + Noise(imageBytes, 7) + Bytes({0xFF, 0xD9});
}

std::string RiffChunkSized(const std::string& id, uint32_t size, const std::string& data) {
  std::string chunk = id + Le32(size) + data;
  if (data.size() % 2 != 0) chunk += '\0';
  return chunk;
}

std::string RiffChunk(const std::string& id, const std::string& data) {
  return RiffChunkSized(id, static_cast<uint32_t>(data.size()), data);
}

std::string RiffList(const std::string& type, const std::string& chunks) {
  return RiffChunk("LIST", type + chunks);
}

std::string RiffFile(const std::string& form, const std::string& chunks) {
  return "RIFF" + Le32(static_cast<uint32_t>(4 + chunks.size())) + form + chunks;
}

std::string AviMainHeader(int32_t width, int32_t height) {
  std::string header;
  header += Le32(33333);    // microseconds per frame
  header += Le32(1000000);  // max bytes per second
  header += Le32(0);        // padding granularity
  header += Le32(0x910);    // flags
  header += Le32(300);      // total frames
  header += Le32(0);        // initial frames
  header += Le32(2);        // streams
  header += Le32(1 << 20);  // suggested buffer size
  header += Le32(static_cast<uint32_t>(width));
  header += Le32(static_cast<uint32_t>(height));
  header += std::string(16, '\0');  // reserved
  return header;
}

namespace {

std::string CameraTiff() {
  TiffBuilder tiff(ByteOrder::Little);
  tiff.Ascii(0x010F, "Canon")
      .Ascii(0x0110, "Canon EOS 5D Mark II")
      .Short(0x0112, 1)
      .Outside(0x011A, kRational, 1, Rational(tiff, 72, 1))
      .Outside(0x011B, kRational, 1, Rational(tiff, 72, 1))
      .Short(0x0128, 2)
      .Ascii(0x0131, "Firmware Version 2.1.1")
      .Ascii(0x0132, "2008:12:15 14:05:09")
      .Short(0x0213, 2)
      .ExifIfd()
      .Outside(0x829A, kRational, 1, Rational(tiff, 1, 125))
      .Outside(0x829D, kRational, 1, Rational(tiff, 56, 10))
      .Short(0x8822, 3)
      .Short(0x8827, 400)
      .Raw(0x9000, kUndefined, 4, 0x31323230)
      .Ascii(0x9003, "2008:12:15 14:05:09")
      .Ascii(0x9004, "2008:12:15 14:05:09")
      .Raw(0x9101, kUndefined, 4, 0x00030201)
      .Outside(0x9201, 10, 1, Rational(tiff, 458752, 65536))
      .Outside(0x9202, kRational, 1, Rational(tiff, 327680, 65536))
      .Outside(0x9204, 10, 1, Rational(tiff, 0, 1))
      .Short(0x9207, 5)
      .Short(0x9209, 16)
      .Outside(0x920A, kRational, 1, Rational(tiff, 50, 1))
      .Outside(0x927C, kUndefined, 20000, Noise(20000, 1))
      .Outside(0x9286, kUndefined, 264, std::string(264, '\0'))
      .Ascii(0x9290, "00")
      .Ascii(0x9291, "00")
      .Ascii(0x9292, "00")
      .Raw(0xA000, kUndefined, 4, 0x30303130)
      .Short(0xA001, 1)
      .Short(0xA002, 5616)
      .Short(0xA003, 3744)
      .Long(0xA005, 0)
      .Outside(0xA20E, kRational, 1, Rational(tiff, 5616000, 1459))
      .Outside(0xA20F, kRational, 1, Rational(tiff, 3744000, 958))
      .Short(0xA210, 2)
      .Short(0xA401, 0)
      .Short(0xA402, 0)
      .Short(0xA403, 0)
      .Short(0xA406, 0);
  return tiff.Bytes();
}

}  // namespace

std::string CameraJpeg() {
  const std::string thumbnail = Bytes({0xFF, 0xD8}) + Noise(9000, 2) + Bytes({0xFF, 0xD9});
  std::string segments = ExifApp1(CameraTiff() + thumbnail);
  segments += JpegSegment(0xDB, Noise(130, 3));  // quantisation tables
  segments += JpegSegment(0xC0, Noise(15, 4));   // frame header
  segments += JpegSegment(0xC4, Noise(416, 5));  // Huffman tables
  segments += JpegSegment(0xDA, Noise(10, 6));   // scan header
  return JpegFile(segments, 2 * 1024 * 1024);
}

std::string CameraRaw() {
  TiffBuilder tiff(ByteOrder::Big);
  tiff.Long(0x00FE, 1)
      .Long(0x0100, 160)
      .Long(0x0101, 120)
      .Raw(0x0102, 3, 3, 0)
      .Short(0x0103, 1)
      .Short(0x0106, 2)
      .Ascii(0x010F, "NIKON CORPORATION")
      .Ascii(0x0110, "NIKON D300")
      .Long(0x0111, 0x20000)
      .Short(0x0112, 1)
      .Short(0x0115, 3)
      .Long(0x0116, 120)
      .Long(0x0117, 57600)
      .Outside(0x011A, kRational, 1, Rational(tiff, 300, 1))
      .Outside(0x011B, kRational, 1, Rational(tiff, 300, 1))
      .Short(0x011C, 1)
      .Short(0x0128, 2)
      .Ascii(0x0131, "Ver.1.10 ")
      .Ascii(0x0132, "2009:07:04 18:30:12")
      .Long(0x014A, 0x30000)
      .Outside(0x0214, kRational, 6, Noise(48, 8))
      .Outside(0x8298, 2, 40, std::string(39, ' ') + '\0')
      .ExifIfd()
      .Outside(0x829A, kRational, 1, Rational(tiff, 1, 250))
      .Outside(0x829D, kRational, 1, Rational(tiff, 80, 10))
      .Short(0x8822, 1)
      .Short(0x8827, 200)
      .Raw(0x9000, kUndefined, 4, 0x30323231)
      .Ascii(0x9003, "2009:07:04 18:30:12")
      .Ascii(0x9004, "2009:07:04 18:30:12")
      .Outside(0x9204, 10, 1, Rational(tiff, 0, 6))
      .Outside(0x9205, kRational, 1, Rational(tiff, 30, 10))
      .Short(0x9207, 5)
      .Short(0x9208, 0)
      .Short(0x9209, 0)
      .Outside(0x920A, kRational, 1, Rational(tiff, 500, 10))
      .Outside(0x927C, kUndefined, 40000, Noise(40000, 9))
      .Outside(0x9286, kUndefined, 44, std::string(44, '\0'))
      .Ascii(0x9290, "00")
      .Ascii(0x9291, "00")
      .Ascii(0x9292, "00")
      .Long(0xA002, 4288)
      .Long(0xA003, 2848)
      .Raw(0xA217, 3, 1, 2 << 16)
      .Short(0xA401, 0)
      .Short(0xA402, 0)
      .Short(0xA403, 0)
      .Short(0xA406, 0);
  return tiff.Bytes() + Noise(4 * 1024 * 1024, 10);
}

std::string CameraAvi() {
  const std::string streamHeader = "vids" + std::string("MJPG") + std::string(48, '\0');
  const std::string streamFormat = Le32(40) + Le32(640) + Le32(480) + std::string(28, '\0');
  std::string header = RiffChunk("avih", AviMainHeader(640, 480));
  header += RiffList("strl", RiffChunk("strh", streamHeader) + RiffChunk("strf", streamFormat));
  header += RiffChunk("IDIT", "THU OCT 22 17:46:12 2009\n");
  header += RiffList("INFO", RiffChunk("ISFT", "CanonMVI06"));
  std::string frames;
  for (int i = 0; i < 64; ++i) frames += RiffChunk("00dc", Noise(32 * 1024, 20 + i));
  std::string chunks = RiffList("hdrl", header);
  chunks += RiffChunk("JUNK", std::string(1800, '\0'));
  chunks += RiffList("movi", frames);
  chunks += RiffChunk("idx1", Noise(64 * 16, 99));
  return RiffFile("AVI ", chunks);
}

std::string CameraHeic() {
  HeifExif exif;
  exif.tiff = CameraTiff();
  exif.width = 4032;
  exif.height = 3024;
  exif.imageBytes = 2 * 1024 * 1024;
  return HeifFile(exif);
}

std::string CameraMp4() {
  Mp4Spec spec;
  spec.brand = "qt  ";
  spec.created = MovieSeconds(2024, 7, 15, 12, 0, 0);
  spec.tracks = {{"vide", 1920, 1080, 0}, {"soun", 0, 0, 0}};
  spec.appleDate = "2024-07-15T08:00:00-0400";
  spec.appleModel = "iPhone 15 Pro";
  spec.mediaBytes = 30 * 1024 * 1024;
  spec.sampleTableBytes = 128 * 1024;
  return Mp4File(spec);
}

}  // namespace test
