#include <gtest/gtest.h>

#include <memory>

#include "readers/ExifFile.h"
#include "tests/support/ByteWriter.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/TempDir.h"
#include "tests/support/TiffBuilder.h"

using test::ByteOrder;
using test::Bytes;
using test::TempDir;
using test::TiffBuilder;

namespace {

constexpr uint16_t kModel = tExifFile::kModel;
constexpr uint16_t kDateTime = tExifFile::kDateTime;
constexpr uint16_t kOriginal = tExifFile::kDateTimeOriginal;
constexpr uint16_t kWidth = tExifFile::kPixelXDimension;
constexpr uint16_t kHeight = tExifFile::kPixelYDimension;

TDateTime At(int year, int month, int day, int hour, int minute, int second) {
  return platform::EncodeDateTime({year, month, day, hour, minute, second, 0});
}

// Writes the bytes to a fresh file and opens the reader on it.
template <class Reader>
std::unique_ptr<Reader> Open(const TempDir& dir, const std::string& bytes) {
  test::WriteBytes(dir / "file", bytes);
  return std::make_unique<Reader>(dir / "file");
}

std::string Jpeg(const TiffBuilder& tiff) { return test::JpegFile(test::ExifApp1(tiff.Bytes())); }

}  // namespace

TEST(JpegFile, FindsTheTiffHeaderAfterTheFirstApp1) {
  TempDir dir;
  auto reader = Open<tJPEGFile>(dir, Jpeg(TiffBuilder(ByteOrder::Little).Ascii(kModel, "X100")));
  EXPECT_EQ(12, reader->TiffOffset);
  EXPECT_EQ(8, reader->IfdOffset);
  EXPECT_FALSE(reader->BigEndian);
  EXPECT_EQ(fkJPEG, reader->FileKind);
  EXPECT_EQ(dir / "file", reader->FileName);
}

TEST(JpegFile, ReadsAllFiveValuesOfACameraFile) {
  TempDir dir;
  auto reader = Open<tJPEGFile>(dir, test::CameraJpeg());
  EXPECT_EQ(At(2008, 12, 15, 14, 5, 9), reader->GetDateTime());
  EXPECT_EQ(At(2008, 12, 15, 14, 5, 9), reader->GetDateTimeOriginal());
  EXPECT_EQ("Canon EOS 5D Mark II", reader->GetModel());
  EXPECT_EQ((tImageSize{5616, 3744}), reader->GetImageSize());
  EXPECT_FALSE(reader->IsPortrait());
}

TEST(JpegFile, BigEndianTiffAfterOtherSegments) {
  TempDir dir;
  TiffBuilder tiff(ByteOrder::Big);
  tiff.Ascii(kDateTime, "2010:01:02 03:04:05").ExifIfd().Short(kWidth, 3000).Short(kHeight, 4000);
  const std::string app0 = test::JpegSegment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
  auto reader = Open<tJPEGFile>(dir, test::JpegFile(app0 + test::ExifApp1(tiff.Bytes())));
  EXPECT_EQ(2 + 18 + 10, reader->TiffOffset);
  EXPECT_TRUE(reader->BigEndian);
  EXPECT_EQ(At(2010, 1, 2, 3, 4, 5), reader->GetDateTime());
  EXPECT_EQ((tImageSize{3000, 4000}), reader->GetImageSize());
  EXPECT_TRUE(reader->IsPortrait());
}

TEST(JpegFile, RaisesWhenNoApp1SegmentHoldsExif) {
  TempDir dir;
  const std::string xmp =
      test::JpegSegment(0xE1, "http://ns.adobe.com/xap/1.0/" + std::string(1, '\0'));
  const std::string cases[] = {
      test::JpegFile(""),                                                        // no APP1 at all
      test::JpegFile(xmp),                                                       // XMP only
      test::JpegFile(test::JpegSegment(0xE1, "ExifX" + std::string(20, '\0'))),  // "ExifX"
      test::JpegFile(test::JpegSegment(0xE1, "exif" + std::string(20, '\0'))),   // letter case
      Bytes({0xFF, 0xD8, 0xFF, 0xE1}),  // the marker ends the file
  };
  for (const std::string& bytes : cases) {
    test::WriteBytes(dir / "f.jpg", bytes);
    try {
      tJPEGFile reader(dir / "f.jpg");
      ADD_FAILURE() << "no exception for " << testing::PrintToString(bytes);
    } catch (const EExifException& e) {
      EXPECT_EQ("No Exif data in file '" + (dir / "f.jpg") + "'", std::string(e.what()));
    }
  }
}

TEST(JpegFile, WalksTheSegmentsWhenTheFirstApp1IsNoExifSegment) {
  TempDir dir;
  const std::string exif =
      test::ExifApp1(TiffBuilder(ByteOrder::Little).Ascii(kModel, "DMC-GX80").Bytes());
  const std::string xmp =
      test::JpegSegment(0xE1, "http://ns.adobe.com/xap/1.0/" + std::string(1, '\0'));
  const std::string vendor = test::JpegSegment(0xE1, std::string("QVCI\0\0", 6) + "data");
  // FF E1 inside the data of an earlier segment, and no FF E1 in the search window at all.
  const std::string app0 = test::JpegSegment(0xE0, Bytes({0x10, 0xFF, 0xE1, 0x00, 0x20}));
  const std::string icc = test::JpegSegment(0xE2, std::string(60000, '\x01'));
  const struct {
    const char* name;
    std::string before;
  } cases[] = {
      {"XMP first", xmp},
      {"vendor block first", app0 + vendor},
      {"FF E1 in APP0's data", app0},
      {"beyond the search window", icc + icc},
      {"fill bytes before a marker", Bytes({0xFF, 0xFF}) + xmp},
  };
  for (const auto& c : cases) {
    const std::string bytes = test::JpegFile(c.before + exif);
    test::WriteBytes(dir / "f.jpg", bytes);
    tJPEGFile reader(dir / "f.jpg");
    EXPECT_EQ("DMC-GX80", reader.GetModel()) << c.name;
    EXPECT_EQ(static_cast<int32_t>(2 + c.before.size() + 10), reader.TiffOffset) << c.name;
  }
  // An Exif segment after the start of the image data is not looked for.
  const std::string afterScan = Bytes({0xFF, 0xD8}) + xmp + test::JpegSegment(0xDA, "scan") + exif;
  test::WriteBytes(dir / "f.jpg", afterScan);
  EXPECT_THROW(tJPEGFile reader(dir / "f.jpg"), EExifException);
  // Nor one after a segment whose length is broken.
  const std::string broken = Bytes({0xFF, 0xD8}) + xmp + Bytes({0xFF, 0xE2, 0x00, 0x01}) + exif;
  test::WriteBytes(dir / "f.jpg", broken);
  EXPECT_THROW(tJPEGFile reader(dir / "f.jpg"), EExifException);
}

TEST(JpegFile, App1MarkerAtTheWindowEdge) {
  TempDir dir;
  const std::string tiff = TiffBuilder(ByteOrder::Little).Ascii(kModel, "Edge").Bytes();
  for (size_t at : {81920u, 81921u}) {
    std::string bytes = Bytes({0xFF, 0xD8}) + std::string(at - 2, '\0');
    bytes += test::ExifApp1(tiff);
    test::WriteBytes(dir / "f", bytes);
    if (at == 81920) {
      tJPEGFile reader(dir / "f");
      EXPECT_EQ(81930, reader.TiffOffset);
      EXPECT_EQ("Edge", reader.GetModel());
    } else {
      EXPECT_THROW(tJPEGFile reader(dir / "f"), EExifException);
    }
  }
}

TEST(JpegFile, ExifIdentifierEndingTheFileStillCounts) {
  // The zero after "Exif" lies beyond the end; missing bytes read as zero.
  TempDir dir;
  auto reader = Open<tJPEGFile>(dir, Bytes({0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x08}) + "Exif");
  EXPECT_EQ(12, reader->TiffOffset);
  EXPECT_EQ("", reader->GetModel());
  EXPECT_EQ(0, reader->GetDateTime());
  EXPECT_EQ((tImageSize{0, 0}), reader->GetImageSize());
}

TEST(JpegFile, TruncatedAfterTheTiffHeaderGivesNoValues) {
  TempDir dir;
  const std::string full =
      Jpeg(TiffBuilder(ByteOrder::Big).Ascii(kModel, "Cut off").ExifIfd().Long(kWidth, 9));
  // The Model entry lies at 22-33 of the file, its text further on.
  const struct {
    size_t length;
    std::string model;
  } cases[] = {
      {12, ""}, {14, ""},   {20, ""},
      {22, ""}, {30, "MM"},  // the entry's offset is cut off, reads as 0 and leads to the header
      {40, ""},
  };
  for (const auto& c : cases) {
    auto reader = Open<tJPEGFile>(dir, full.substr(0, c.length));
    EXPECT_EQ(c.model, reader->GetModel()) << c.length;
    EXPECT_EQ(0, reader->GetDateTimeOriginal()) << c.length;
    EXPECT_EQ((tImageSize{0, 0}), reader->GetImageSize()) << c.length;
    EXPECT_FALSE(reader->IsPortrait()) << c.length;
  }
}

namespace {

struct SizeCase {
  const char* name;
  ByteOrder order;
  bool widthLong, heightLong;
  bool hasWidth, hasHeight;
  uint32_t width, height;
  tImageSize size;
  bool portrait;
};

const SizeCase kSizeCases[] = {
    {"LE LONG and SHORT",
     ByteOrder::Little,
     true,
     false,
     true,
     true,
     4000,
     3000,
     {4000, 3000},
     false},
    {"BE SHORT and SHORT",
     ByteOrder::Big,
     false,
     false,
     true,
     true,
     4000,
     3000,
     {4000, 3000},
     false},
    {"BE LONG and LONG", ByteOrder::Big, true, true, true, true, 4000, 3000, {4000, 3000}, false},
    {"BE SHORT portrait", ByteOrder::Big, false, true, true, true, 2448, 3264, {2448, 3264}, true},
    {"LE SHORT 65535", ByteOrder::Little, false, false, true, true, 65535, 1, {65535, 1}, false},
    {"equal", ByteOrder::Little, true, true, true, true, 640, 640, {640, 640}, false},
    {"both missing", ByteOrder::Little, true, true, false, false, 0, 0, {0, 0}, false},
    {"width missing", ByteOrder::Big, true, false, false, true, 0, 480, {0, 480}, true},
    {"height missing", ByteOrder::Little, true, true, true, false, 480, 0, {480, 0}, false},
    // Signed comparison: a LONG with the top bit set is negative.
    {"negative LONG width",
     ByteOrder::Big,
     true,
     true,
     true,
     true,
     0x80000000u,
     10,
     {INT32_MIN, 10},
     true},
};

}  // namespace

TEST(ExifFile, ImageSizeAndPortrait) {
  TempDir dir;
  for (const SizeCase& c : kSizeCases) {
    TiffBuilder tiff(c.order);
    tiff.Ascii(kModel, "Size test").ExifIfd().Short(0xA001, 1);
    if (c.hasWidth)
      c.widthLong ? tiff.Long(kWidth, c.width) : tiff.Short(kWidth, static_cast<uint16_t>(c.width));
    if (c.hasHeight)
      c.heightLong ? tiff.Long(kHeight, c.height)
                   : tiff.Short(kHeight, static_cast<uint16_t>(c.height));
    auto reader = Open<tJPEGFile>(dir, Jpeg(tiff));
    EXPECT_EQ(c.size, reader->GetImageSize()) << c.name;
    EXPECT_EQ(c.portrait, reader->IsPortrait()) << c.name;
  }
}

namespace {

struct ValueCase {
  const char* name;
  uint16_t type;
  uint32_t valueField;  // as the builder writes it: a number in the file's byte order
  int32_t little, big;  // the value read from a little- and a big-endian file
};

const ValueCase kValueCases[] = {
    {"BYTE", 1, 0x12345678, 0x78, 0x12},
    {"SHORT", 3, 0x12345678, 0x5678, 0x1234},
    {"LONG", 4, 0x12345678, 0x12345678, 0x12345678},
    {"LONG negative", 4, 0xFFFFFFFE, -2, -2},
    {"ASCII", 2, 0x12345678, 0, 0},
    {"RATIONAL", 5, 0x12345678, 0, 0},
    {"SSHORT", 8, 0x12345678, 0, 0},
    {"SLONG", 9, 0x12345678, 0, 0},
    {"type 0", 0, 0x12345678, 0, 0},
};

}  // namespace

TEST(ExifFile, TagValueByTypeInBothByteOrders) {
  TempDir dir;
  for (ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
    for (const ValueCase& c : kValueCases) {
      auto reader = Open<tJPEGFile>(
          dir, Jpeg(TiffBuilder(order).ExifIfd().Raw(kWidth, c.type, 1, c.valueField)));
      const int32_t expected = order == ByteOrder::Little ? c.little : c.big;
      EXPECT_EQ(expected, reader->GetTagValue(kWidth))
          << c.name << (order == ByteOrder::Little ? " II" : " MM");
      EXPECT_EQ(expected, reader->GetImageSize().Width) << c.name;
    }
  }
}

TEST(ExifFile, SwapWordAndSwapLongFollowTheByteOrder) {
  TempDir dir;
  auto little = Open<tRAW1File>(dir, TiffBuilder(ByteOrder::Little).Bytes() + "pad");
  EXPECT_EQ(0x1234, little->SwapWord(0x1234));
  EXPECT_EQ(0x12345678, little->SwapLong(0x12345678));
  auto big = Open<tRAW1File>(dir, TiffBuilder(ByteOrder::Big).Bytes() + "pad");
  EXPECT_EQ(0x3412, big->SwapWord(0x1234));
  EXPECT_EQ(0x78563412, big->SwapLong(0x12345678));
  EXPECT_EQ(static_cast<int32_t>(0x000000FF), big->SwapLong(static_cast<int32_t>(0xFF000000)));
}

TEST(ExifFile, DateTimesAreConvertedFromTheirTexts) {
  TempDir dir;
  TiffBuilder tiff(ByteOrder::Little);
  tiff.Ascii(kDateTime, "    :  :     :  :  ").ExifIfd().Ascii(kOriginal, "2008:06:15 14:05:09");
  auto reader = Open<tJPEGFile>(dir, Jpeg(tiff));
  EXPECT_EQ(0, reader->GetDateTime());
  EXPECT_EQ(At(2008, 6, 15, 14, 5, 9), reader->GetDateTimeOriginal());
  EXPECT_EQ("    :  :     :  :  ", reader->GetTagText(kDateTime));
}

TEST(ExifFile, MissingTagsGiveEmptyValues) {
  TempDir dir;
  auto reader = Open<tJPEGFile>(dir, Jpeg(TiffBuilder(ByteOrder::Big).Short(0x0112, 6)));
  EXPECT_EQ(0, reader->GetDateTime());
  EXPECT_EQ(0, reader->GetDateTimeOriginal());
  EXPECT_EQ("", reader->GetModel());
  EXPECT_EQ((tImageSize{0, 0}), reader->GetImageSize());
  EXPECT_FALSE(reader->IsPortrait());
  const tIfdEntry missing = reader->FindTag(kModel);
  EXPECT_EQ(0, missing.Tag);
  EXPECT_EQ(0, missing.DataType);
  EXPECT_EQ(0u, missing.Count);
  EXPECT_EQ(0, missing.Value);
  // Orientation is no part of the portrait test.
  EXPECT_EQ(6, reader->GetTagValue(0x0112));
}

namespace {

struct ModelCase {
  const char* name;
  std::string stored;  // the bytes of the text, without the terminating zero
  std::string model;
};

const ModelCase kModelCases[] = {
    {"plain", "Canon EOS 40D", "Canon EOS 40D"},
    {"trailing blanks", "NIKON D300      ", "NIKON D300"},
    {"leading blanks and controls", " \t\r\nE-M5\x7F", "E-M5\x7F"},
    {"bytes above 127 kept", "\xC9lan\xA0", "\xC9lan\xA0"},
    {"only blanks", "      ", ""},
    {"zero inside", std::string("DSC\0-RX100", 10), "DSC"},
    {"257 bytes cut to 256", std::string(250, 'a') + "bcdefgh", std::string(250, 'a') + "bcdefg"},
    // Four bytes or fewer, the zero included, live in the entry itself.
    {"three letters in the entry", "D70", "D70"},
    {"one letter in the entry", "A", "A"},
    {"empty text in the entry", "", ""},
};

}  // namespace

TEST(ExifFile, ModelTextsInBothByteOrders) {
  TempDir dir;
  for (ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
    for (const ModelCase& c : kModelCases) {
      auto reader = Open<tJPEGFile>(dir, Jpeg(TiffBuilder(order).Ascii(kModel, c.stored)));
      EXPECT_EQ(c.model, reader->GetModel()) << c.name;
    }
  }
}

TEST(ExifFile, ShortTextReadFromTheEntryUpToItsCount) {
  TempDir dir;
  for (ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
    TiffBuilder tiff(order);
    // "ABCD" with a count of 2: only "AB" belongs to the text.
    const uint32_t field = order == ByteOrder::Little ? 0x44434241 : 0x41424344;
    tiff.Raw(kModel, 2, 2, field).Raw(kDateTime, 2, 4, field);
    auto reader = Open<tJPEGFile>(dir, Jpeg(tiff));
    EXPECT_EQ("AB", reader->GetModel());
    EXPECT_EQ("ABCD", reader->GetTagText(kDateTime));
  }
}

TEST(ExifFile, LongerTextsAndOtherTypesAreReadAtTheirOffset) {
  TempDir dir;
  TiffBuilder tiff(ByteOrder::Big);
  // A count above 4 is an offset whatever the type says; the count does not cut the text.
  tiff.AsciiOutside(kModel, std::string("NIKON D70\0", 10), 5)
      .Outside(kDateTime, 7, 20, std::string("2004:05:06 07:08:09\0", 20));
  auto reader = Open<tJPEGFile>(dir, Jpeg(tiff));
  EXPECT_EQ("NIKON D70", reader->GetModel());
  EXPECT_EQ(At(2004, 5, 6, 7, 8, 9), reader->GetDateTime());
}

TEST(Raw1File, HeaderBehindARawFormatsOwnHeader) {
  TempDir dir;
  TiffBuilder tiff(ByteOrder::Big);
  tiff.Ascii(kModel, "NIKON D3")
      .ExifIfd()
      .Ascii(kOriginal, "2009:07:04 18:30:12")
      .Long(kWidth, 4256)
      .Long(kHeight, 2832);
  // An own 20-byte header in front; it holds "II" but no signature.
  auto reader = Open<tRAW1File>(dir, "IIRS" + std::string(16, '\x01') + tiff.Bytes());
  EXPECT_EQ(fkRAW1, reader->FileKind);
  EXPECT_EQ(20, reader->TiffOffset);
  EXPECT_TRUE(reader->BigEndian);
  EXPECT_EQ(8, reader->IfdOffset);
  EXPECT_EQ("NIKON D3", reader->GetModel());
  EXPECT_EQ(At(2009, 7, 4, 18, 30, 12), reader->GetDateTimeOriginal());
  EXPECT_EQ((tImageSize{4256, 2832}), reader->GetImageSize());
}

TEST(Raw1File, LittleEndianSignatureWinsWhereverItLies) {
  TempDir dir;
  const std::string big = TiffBuilder(ByteOrder::Big).Ascii(kModel, "Big one").Bytes();
  const std::string little = TiffBuilder(ByteOrder::Little).Ascii(kModel, "Little one").Bytes();
  auto reader = Open<tRAW1File>(dir, big + std::string(1000, '\x01') + little + "end");
  EXPECT_FALSE(reader->BigEndian);
  EXPECT_EQ(static_cast<int32_t>(big.size() + 1000), reader->TiffOffset);
  EXPECT_EQ("Little one", reader->GetModel());
}

TEST(Raw1File, RaisesWithoutASignature) {
  TempDir dir;
  test::WriteBytes(dir / "f", Bytes({0xFF, 0xD8}) + std::string(100, '\0'));
  EXPECT_THROW(tRAW1File reader(dir / "f"), EExifException);
}

TEST(Raw0File, NonStandardHeaderIsReadAtOffsetZero) {
  TempDir dir;
  for (ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
    TiffBuilder tiff(order);
    tiff.Magic(0x55).Ascii(kModel, "DMC-GH1").Ascii(kDateTime, "2009:05:01 12:00:00");
    auto reader = Open<tRAW0File>(dir, tiff.Bytes());
    EXPECT_EQ(fkRAW0, reader->FileKind);
    EXPECT_EQ(0, reader->TiffOffset);
    EXPECT_EQ(order == ByteOrder::Big, reader->BigEndian);
    EXPECT_EQ("DMC-GH1", reader->GetModel());
    EXPECT_EQ(At(2009, 5, 1, 12, 0, 0), reader->GetDateTime());
  }
}

TEST(Raw0File, AnyPairOtherThanMMIsLittleEndian) {
  TempDir dir;
  // Constructed directly on a JPEG: bytes 0-1 are FF D8, not "MM".
  auto reader = Open<tRAW0File>(dir, Bytes({0xFF, 0xD8, 0, 0, 8, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(reader->BigEndian);
  EXPECT_EQ(8, reader->IfdOffset);
}

TEST(ExifFile, OperationsDoNotDependOnEachOtherOrOnTheStreamPosition) {
  TempDir dir;
  auto reader = Open<tJPEGFile>(dir, test::CameraJpeg());
  const std::string model = reader->GetModel();
  for (int64_t position : {0, 5, 1000, 1 << 30}) {
    reader->Stream->Seek(position);
    EXPECT_EQ((tImageSize{5616, 3744}), reader->GetImageSize());
    reader->Stream->Seek(position);
    EXPECT_EQ(model, reader->GetModel());
    reader->Stream->Seek(position);
    EXPECT_EQ(At(2008, 12, 15, 14, 5, 9), reader->GetDateTime());
    EXPECT_EQ(At(2008, 12, 15, 14, 5, 9), reader->GetDateTimeOriginal());
    EXPECT_FALSE(reader->IsPortrait());
  }
}
