// The Exif data of CR3, PNG and WebP files.
#include <gtest/gtest.h>

#include <memory>

#include "readers/Cr3File.h"
#include "readers/OpenReader.h"
#include "readers/PngFile.h"
#include "readers/WebpFile.h"
#include "tests/support/ByteWriter.h"
#include "tests/support/IsoBuilder.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/TempDir.h"
#include "tests/support/TiffBuilder.h"

using test::ByteOrder;
using test::TempDir;
using test::TiffBuilder;

namespace {

TDateTime At(int year, int month, int day, int hour, int minute, int second) {
  return platform::EncodeDateTime({year, month, day, hour, minute, second, 0});
}

std::string Ifd0(const std::string& model, const std::string& date) {
  return TiffBuilder(ByteOrder::Little)
      .Ascii(tExifFile::kModel, model)
      .Ascii(tExifFile::kDateTime, date)
      .Bytes();
}

// What CMT2 holds: the Exif IFD's tags as an IFD0 of their own.
std::string ExifTags(const std::string& original, uint32_t width, uint32_t height) {
  return TiffBuilder(ByteOrder::Little)
      .Ascii(tExifFile::kDateTimeOriginal, original)
      .Long(tExifFile::kPixelXDimension, width)
      .Long(tExifFile::kPixelYDimension, height)
      .Bytes();
}

std::string ExifTiff() {
  return TiffBuilder(ByteOrder::Big)
      .Ascii(tExifFile::kModel, "Pixel 8")
      .Ascii(tExifFile::kDateTime, "2024:02:03 04:05:06")
      .ExifIfd()
      .Ascii(tExifFile::kDateTimeOriginal, "2024:02:03 04:05:00")
      .Short(tExifFile::kPixelXDimension, 3000)
      .Short(tExifFile::kPixelYDimension, 4000)
      .Bytes();
}

std::unique_ptr<tBaseFile> Open(const TempDir& dir, const std::string& bytes) {
  test::WriteBytes(dir / "file", bytes);
  return OpenReader(dir / "file");
}

std::string Text(const std::string& keyword, const std::string& text) {
  return test::PngChunk("tEXt", keyword + std::string(1, '\0') + text);
}

std::string InternationalText(const std::string& keyword, const std::string& text, bool zipped) {
  return test::PngChunk("iTXt", keyword + std::string(1, '\0') +
                                    (zipped ? "\1" : std::string(1, '\0')) + std::string(1, '\0') +
                                    "en" + std::string(1, '\0') + std::string(1, '\0') + text);
}

}  // namespace

TEST(Cr3File, DateAndModelFromCmt1CaptureAndSizeFromCmt2) {
  TempDir dir;
  auto reader = Open(dir, test::Cr3File(Ifd0("Canon EOS R6", "2021:05:12 12:21:21"),
                                        ExifTags("2021:05:12 12:21:20", 5472, 3648)));
  ASSERT_NE(nullptr, dynamic_cast<tCR3File*>(reader.get()));
  EXPECT_EQ(At(2021, 5, 12, 12, 21, 21), reader->GetDateTime());
  EXPECT_EQ(At(2021, 5, 12, 12, 21, 20), reader->GetDateTimeOriginal());
  EXPECT_EQ("Canon EOS R6", reader->GetModel());
  EXPECT_EQ((tImageSize{5472, 3648}), reader->GetImageSize());
  EXPECT_FALSE(reader->IsPortrait());
  // In any order, also after the stream was moved elsewhere.
  reader->Stream->Seek(12345);
  EXPECT_EQ("Canon EOS R6", reader->GetModel());
  EXPECT_EQ(At(2021, 5, 12, 12, 21, 20), reader->GetDateTimeOriginal());
}

TEST(Cr3File, EachBlockMayBeMissing) {
  TempDir dir;
  auto onlyCmt2 = Open(dir, test::Cr3File("", ExifTags("2021:05:12 12:21:20", 3648, 5472)));
  EXPECT_EQ(0, onlyCmt2->GetDateTime());
  EXPECT_EQ("", onlyCmt2->GetModel());
  EXPECT_TRUE(onlyCmt2->IsPortrait());
  auto onlyCmt1 = Open(dir, test::Cr3File(Ifd0("Canon EOS M50", "2018:02:21 12:08:56"), ""));
  EXPECT_EQ(0, onlyCmt1->GetDateTimeOriginal());
  EXPECT_EQ((tImageSize{0, 0}), onlyCmt1->GetImageSize());
  EXPECT_EQ("Canon EOS M50", onlyCmt1->GetModel());
  EXPECT_THROW(Open(dir, test::Cr3File("", "")), EExifException);
}

TEST(Cr3File, AFileCutInsideTheCanonBoxStillGivesItsBlocks) {
  TempDir dir;
  const std::string whole = test::Cr3File(Ifd0("Canon EOS R", "2019:12:05 13:32:49"),
                                          ExifTags("2019:12:05 13:32:49", 6720, 4480), 100000);
  // Cut after CMT2: the uuid and moov boxes now claim more than the file holds.
  auto reader = Open(dir, whole.substr(0, whole.find("THMB")));
  EXPECT_EQ("Canon EOS R", reader->GetModel());
  EXPECT_EQ((tImageSize{6720, 4480}), reader->GetImageSize());
}

TEST(PngFile, ExifChunkBeforeOrAfterTheImageDataWithOrWithoutPrefix) {
  TempDir dir;
  const std::string image = test::PngImageData(20000, 8192);
  const std::string tiff = ExifTiff();
  const std::string prefixed = std::string("Exif\0\0", 6) + tiff;
  const std::string files[] = {
      test::PngFile(3000, 4000, test::PngChunk("eXIf", tiff) + image),
      test::PngFile(3000, 4000, image + test::PngChunk("eXIf", tiff)),
      test::PngFile(3000, 4000, test::PngChunk("eXIf", prefixed) + image),
      test::PngFile(3000, 4000, image + test::PngChunk("eXIf", prefixed)),
  };
  for (const std::string& bytes : files) {
    auto reader = Open(dir, bytes);
    ASSERT_NE(nullptr, dynamic_cast<tPNGFile*>(reader.get()));
    EXPECT_EQ(At(2024, 2, 3, 4, 5, 6), reader->GetDateTime());
    EXPECT_EQ(At(2024, 2, 3, 4, 5, 0), reader->GetDateTimeOriginal());
    EXPECT_EQ("Pixel 8", reader->GetModel());
    EXPECT_EQ((tImageSize{3000, 4000}), reader->GetImageSize());
    EXPECT_TRUE(reader->IsPortrait());
  }
}

TEST(PngFile, CreationTimeTextIsTheFallbackAndTimeChunkIsNotRead) {
  TempDir dir;
  const std::string image = test::PngImageData(100, 64);
  const std::string modified = test::PngChunk("tIME", test::Bytes({0x07, 0xE8, 1, 2, 3, 4, 5}));
  const struct {
    const char* name;
    std::string chunks;
    TDateTime date;
  } cases[] = {
      {"tEXt, Exif form", Text("Creation Time", "2020:01:02 03:04:05") + image,
       At(2020, 1, 2, 3, 4, 5)},
      {"tEXt after the image data", image + Text("Creation Time", "2020-01-02T03:04:05"),
       At(2020, 1, 2, 3, 4, 5)},
      {"mail form with an offset", Text("Creation Time", "Thu, 2 Jan 2020 03:04:05 +0100") + image,
       At(2020, 1, 2, 3, 4, 5)},
      {"mail form without the weekday", Text("Creation Time", "12 Dec 2019 23:59:00 GMT"),
       At(2019, 12, 12, 23, 59, 0)},
      {"iTXt", InternationalText("Creation Time", "2021:06:07 08:09:10", false),
       At(2021, 6, 7, 8, 9, 10)},
      {"other keywords first", Text("Software", "x") + Text("Creation Time", "2020:01:02 03:04:05"),
       At(2020, 1, 2, 3, 4, 5)},
      {"a text that is no date", Text("Creation Time", "yesterday"), 0},
  };
  for (const auto& c : cases) {
    auto reader = Open(dir, test::PngFile(64, 48, modified + c.chunks));
    EXPECT_EQ(c.date, reader->GetDateTime()) << c.name;
    EXPECT_EQ(c.date, reader->GetDateTimeOriginal()) << c.name;
    EXPECT_EQ("", reader->GetModel()) << c.name;
    EXPECT_EQ((tImageSize{0, 0}), reader->GetImageSize()) << c.name;
  }
  // With Exif data the text counts only when the Exif data has no date.
  const std::string undated = TiffBuilder(ByteOrder::Little).Ascii(tExifFile::kModel, "X").Bytes();
  auto reader = Open(dir, test::PngFile(1, 1,
                                        test::PngChunk("eXIf", undated) + image +
                                            Text("Creation Time", "2020:01:02 03:04:05")));
  EXPECT_EQ("X", reader->GetModel());
  EXPECT_EQ(At(2020, 1, 2, 3, 4, 5), reader->GetDateTime());
}

TEST(PngFile, RaisesWithoutExifDataOrCreationTime) {
  TempDir dir;
  const std::string cases[] = {
      test::PngFile(1, 1, test::PngImageData(100, 40)),
      test::PngFile(1, 1, test::PngChunk("tIME", test::Bytes({0x07, 0xE8, 1, 2, 3, 4, 5}))),
      test::PngFile(1, 1, InternationalText("Creation Time", "compressed", true)),
      test::PngFile(1, 1, test::PngChunk("eXIf", "no TIFF here")),
      test::PngFile(1, 1, "").substr(0, 20),  // cut inside the header chunk
  };
  for (const std::string& bytes : cases) EXPECT_THROW(Open(dir, bytes), EExifException);
}

TEST(WebpFile, ExifChunkWithOrWithoutPrefix) {
  TempDir dir;
  const std::string vp8x =
      test::RiffChunk("VP8X", test::Bytes({8, 0, 0, 0, 0xB7, 0x0B, 0, 0x9F, 0x0F, 0}));
  const std::string image = test::RiffChunk("VP8 ", std::string(1001, '\x22'));
  for (const std::string& data : {ExifTiff(), std::string("Exif\0\0", 6) + ExifTiff()}) {
    auto reader = Open(dir, test::RiffFile("WEBP", vp8x + image + test::RiffChunk("EXIF", data)));
    ASSERT_NE(nullptr, dynamic_cast<tWEBPFile*>(reader.get()));
    EXPECT_EQ(fkWEBP, reader->FileKind);
    EXPECT_EQ("Pixel 8", reader->GetModel());
    EXPECT_EQ(At(2024, 2, 3, 4, 5, 0), reader->GetDateTimeOriginal());
    EXPECT_EQ((tImageSize{3000, 4000}), reader->GetImageSize());
  }
  EXPECT_THROW(Open(dir, test::RiffFile("WEBP", vp8x + image)), EExifException);
  EXPECT_THROW(Open(dir, test::RiffFile("WEBP", test::RiffChunk("EXIF", "garbage"))),
               EExifException);
}
