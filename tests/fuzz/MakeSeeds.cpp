// Writes the seed corpus of the fuzz targets: small files made by the test builders, one
// folder per target.   make_fuzz_seeds OUTPUT_FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/ByteWriter.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/TiffBuilder.h"

namespace fs = std::filesystem;
using test::ByteOrder;
using test::TiffBuilder;

namespace {

std::vector<std::string> TiffSeeds() {
  std::vector<std::string> seeds;
  for (ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
    TiffBuilder full(order);
    full.Ascii(0x010F, "Maker")
        .Ascii(0x0110, "Model name")
        .Ascii(0x0132, "2008:06:15 14:05:09")
        .ExifIfd()
        .Ascii(0x9003, "2008:06:15 14:05:09")
        .Long(0xA002, 4000)
        .Short(0xA003, 3000);
    seeds.push_back(full.Bytes());
    TiffBuilder shortTexts(order);
    shortTexts.Ascii(0x0110, "D70").Byte(0x0001, 7).ExifIfd().Short(0xA002, 1).Raw(0xA003, 9, 1, 2);
    seeds.push_back(shortTexts.Bytes());
    TiffBuilder loop(order);
    loop.Ascii(0x0110, "Loop").ExifIfd().Raw(0x8769, 4, 1, loop.Ifd0Offset());
    seeds.push_back(loop.Bytes());
  }
  return seeds;
}

std::vector<std::string> JpegSeeds() {
  std::vector<std::string> seeds;
  for (const std::string& tiff : TiffSeeds())
    seeds.push_back(test::JpegFile(test::ExifApp1(tiff), 16));
  const std::string xmp =
      test::JpegSegment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0", 29));
  seeds.push_back(test::JpegFile(xmp + test::ExifApp1(TiffSeeds()[0]), 8));
  seeds.push_back(test::JpegFile(test::JpegSegment(0xE0, "JFIF"), 8));
  return seeds;
}

std::vector<std::string> RawSeeds() {
  std::vector<std::string> seeds = TiffSeeds();
  for (const std::string& tiff : TiffSeeds())
    seeds.push_back("IIRS" + std::string(16, '\1') + tiff);
  TiffBuilder raw0(ByteOrder::Little);
  raw0.Magic(0x55).Ascii(0x0110, "DMC-GH1").Ascii(0x0132, "2009:05:01 12:00:00");
  seeds.push_back(raw0.Bytes());
  return seeds;
}

std::vector<std::string> RiffSeeds() {
  using test::RiffChunk;
  std::vector<std::string> seeds;
  seeds.push_back(test::RiffFile(
      "AVI ", test::RiffList("hdrl", RiffChunk("avih", test::AviMainHeader(640, 480)) +
                                         RiffChunk("IDIT", "THU OCT 22 17:46:12 2009\n")) +
                  test::RiffList("INFO", RiffChunk("ISFT", "CanonMVI06 "))));
  seeds.push_back(
      test::RiffFile("AVI ", RiffChunk("ICRD", "2009:10:23") + RiffChunk("etim", "08:09:10") +
                                 RiffChunk("emdl", "DMC-FZ8") +
                                 test::RiffChunkSized("avih", 36, test::AviMainHeader(1, 2))));
  seeds.push_back(test::RiffFile("WAVE", RiffChunk("fmt ", std::string(16, '\1')) +
                                             test::RiffChunkSized("ISFT", 0xFFFFFFFF, "x")));
  return seeds;
}

void Write(const fs::path& folder, const std::vector<std::string>& seeds) {
  fs::create_directories(folder);
  for (size_t i = 0; i < seeds.size(); ++i) {
    std::ofstream out(folder / ("seed-" + std::to_string(i)), std::ios::binary | std::ios::trunc);
    out.write(seeds[i].data(), static_cast<std::streamsize>(seeds[i].size()));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const fs::path root = argv[1];
  const std::vector<std::string> jpeg = JpegSeeds(), raw = RawSeeds(), riff = RiffSeeds();
  std::vector<std::string> all = jpeg;
  all.insert(all.end(), raw.begin(), raw.end());
  all.insert(all.end(), riff.begin(), riff.end());
  Write(root / "fuzz_open_reader", all);
  Write(root / "fuzz_jpeg_file", jpeg);
  Write(root / "fuzz_raw_file", raw);
  Write(root / "fuzz_riff_file", riff);
  return 0;
}
