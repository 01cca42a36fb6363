// Writes the seed corpus of the fuzz targets: small files made by the test builders, one
// folder per target.   make_fuzz_seeds OUTPUT_FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/ByteWriter.h"
#include "tests/support/IsoBuilder.h"
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

std::vector<std::string> HeifSeeds() {
  const std::string tiff = TiffSeeds()[0];
  std::vector<std::string> seeds;
  const auto add = [&](void (*change)(test::HeifExif&)) {
    test::HeifExif exif;
    exif.tiff = tiff;
    exif.width = 4032;
    exif.height = 3024;
    change(exif);
    seeds.push_back(test::HeifFile(exif));
  };
  add([](test::HeifExif&) {});
  add([](test::HeifExif& e) { e.ilocVersion = 0, e.offsetSize = 8, e.lengthSize = 8; });
  add([](test::HeifExif& e) { e.ilocVersion = 2, e.baseSize = 8, e.indexSize = 4, e.extents = 3; });
  add([](test::HeifExif& e) { e.inIdat = true, e.extents = 2; });
  add([](test::HeifExif& e) {
    e.header = test::HeifExif::Header::BareExif, e.quickTimeMeta = true;
  });
  add([](test::HeifExif& e) { e.header = test::HeifExif::Header::None, e.lengthSize = 0; });
  return seeds;
}

std::vector<std::string> Cr3Seeds() {
  TiffBuilder ifd0(ByteOrder::Little), exif(ByteOrder::Little);
  ifd0.Ascii(0x0110, "Canon EOS R6").Ascii(0x0132, "2021:05:12 12:21:21");
  exif.Ascii(0x9003, "2021:05:12 12:21:21").Long(0xA002, 5472).Long(0xA003, 3648);
  return {test::Cr3File(ifd0.Bytes(), exif.Bytes()), test::Cr3File("", exif.Bytes())};
}

std::vector<std::string> Mp4Seeds() {
  std::vector<std::string> seeds;
  test::Mp4Spec spec;
  spec.created = test::MovieSeconds(2024, 7, 15, 12, 0, 0);
  spec.tracks = {{"soun", 0, 0, 0}, {"vide", 1920, 1080, 0}};
  seeds.push_back(test::Mp4File(spec));
  spec.brand = "qt  ";
  spec.mvhdVersion = 1;
  spec.tracks = {{"vide", 1080, 1920, 1}};
  spec.appleDate = "2025-07-11T09:44:38-0600";
  spec.appleModel = "iPhone 15 Pro";
  seeds.push_back(test::Mp4File(spec));
  spec.brand = "";
  spec.metaInUdta = true;
  spec.moovAtEnd = false;
  seeds.push_back(test::Mp4File(spec));
  return seeds;
}

std::vector<std::string> PngSeeds() {
  const std::string tiff = TiffSeeds()[0];
  const std::string image = test::PngImageData(300, 100);
  const std::string text = test::PngChunk(
      "tEXt", std::string("Creation Time\0", 14) + "Sat, 15 Jun 2008 14:05:09 +0200");
  const std::string itxt =
      test::PngChunk("iTXt", std::string("Creation Time\0\0\0en\0\0", 20) + "2008:06:15 14:05:09");
  return {test::PngFile(64, 48, test::PngChunk("eXIf", tiff) + image),
          test::PngFile(64, 48, image + test::PngChunk("eXIf", std::string("Exif\0\0", 6) + tiff)),
          test::PngFile(64, 48, text + image), test::PngFile(64, 48, image + itxt)};
}

std::vector<std::string> WebpSeeds() {
  const std::string tiff = TiffSeeds()[1];
  const std::string vp8x = test::RiffChunk("VP8X", std::string(10, '\0'));
  const std::string image = test::RiffChunk("VP8 ", std::string(99, '\x22'));
  return {test::RiffFile("WEBP", vp8x + image + test::RiffChunk("EXIF", tiff)),
          test::RiffFile(
              "WEBP", vp8x + image + test::RiffChunk("EXIF", std::string("Exif\0\0", 6) + tiff))};
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
  const std::vector<std::string> heif = HeifSeeds(), cr3 = Cr3Seeds(), mp4 = Mp4Seeds();
  const std::vector<std::string> png = PngSeeds(), webp = WebpSeeds();
  std::vector<std::string> all;
  for (const auto* seeds : {&jpeg, &raw, &riff, &heif, &cr3, &mp4, &png, &webp})
    all.insert(all.end(), seeds->begin(), seeds->end());
  Write(root / "fuzz_open_reader", all);
  Write(root / "fuzz_jpeg_file", jpeg);
  Write(root / "fuzz_raw_file", raw);
  Write(root / "fuzz_riff_file", riff);
  Write(root / "fuzz_heif_file", heif);
  Write(root / "fuzz_cr3_file", cr3);
  Write(root / "fuzz_mp4_file", mp4);
  Write(root / "fuzz_png_file", png);
  Write(root / "fuzz_webp_file", webp);
  Write(root / "fuzz_date_texts",
        {R"({"title": "IMG_1.JPG", "photoTakenTime": {"timestamp": "1685635200"}})",
         R"({"a": [1, {"b": "\"}"}], "photoTakenTime": {"timestamp": 1685635200}})",
         "PXL_20230101_120000123.jpg", "Screenshot 2023-01-01 at 12.00.00.png",
         "FB_IMG_1672574400000.jpg", "IMG-20230101-WA0001.jpg"});
  return 0;
}
