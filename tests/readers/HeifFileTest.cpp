#include <gtest/gtest.h>

#include <memory>

#include "readers/HeifFile.h"
#include "readers/OpenReader.h"
#include "tests/support/IsoBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/support/TiffBuilder.h"

using test::ByteOrder;
using test::HeifExif;
using test::TempDir;
using test::TiffBuilder;

namespace {

TDateTime At(int year, int month, int day, int hour, int minute, int second) {
  return platform::EncodeDateTime({year, month, day, hour, minute, second, 0});
}

std::string PhoneTiff(ByteOrder order = ByteOrder::Big) {
  TiffBuilder tiff(order);
  tiff.Ascii(tExifFile::kModel, "iPhone 15 Pro")
      .Ascii(tExifFile::kDateTime, "2025:07:11 09:44:38")
      .ExifIfd()
      .Ascii(tExifFile::kDateTimeOriginal, "2025:07:11 09:44:37")
      .Long(tExifFile::kPixelXDimension, 4032)
      .Long(tExifFile::kPixelYDimension, 3024);
  return tiff.Bytes();
}

HeifExif Layout(void (*change)(HeifExif&)) {
  HeifExif exif;
  exif.tiff = PhoneTiff();
  change(exif);
  return exif;
}

struct LayoutCase {
  const char* name;
  HeifExif exif;
};

std::unique_ptr<tHEIFFile> Open(const TempDir& dir, const std::string& bytes) {
  test::WriteBytes(dir / "IMG_0001.HEIC", bytes);
  return std::make_unique<tHEIFFile>(dir / "IMG_0001.HEIC");
}

}  // namespace

TEST(HeifFile, FindsTheExifItemInEveryLayoutRealFilesUse) {
  const LayoutCase cases[] = {
      {"iloc v0, 4-byte fields", Layout([](HeifExif&) {})},
      {"iloc v0, 8-byte fields",
       Layout([](HeifExif& e) { e.ilocVersion = 0, e.offsetSize = 8, e.lengthSize = 8; })},
      {"iloc v1 with a base offset", Layout([](HeifExif& e) { e.baseSize = 4; })},
      {"iloc v2, 8-byte base, extent index",
       Layout([](HeifExif& e) { e.ilocVersion = 2, e.baseSize = 8, e.indexSize = 4; })},
      {"no offset field, the base says where",
       Layout([](HeifExif& e) { e.offsetSize = 0, e.baseSize = 4; })},
      {"no length field: to the end of the file", Layout([](HeifExif& e) { e.lengthSize = 0; })},
      {"in idat (construction method 1)", Layout([](HeifExif& e) { e.inIdat = true; })},
      {"three extents out of order", Layout([](HeifExif& e) { e.extents = 3; })},
      {"two extents in idat, iloc v2",
       Layout([](HeifExif& e) { e.inIdat = true, e.extents = 2, e.ilocVersion = 2; })},
      {"before the image data", Layout([](HeifExif& e) { e.atEnd = false; })},
      {"bare Exif identifier, no offset",
       Layout([](HeifExif& e) { e.header = HeifExif::Header::BareExif; })},
      {"no header at all", Layout([](HeifExif& e) { e.header = HeifExif::Header::None; })},
      {"QuickTime-style meta", Layout([](HeifExif& e) { e.quickTimeMeta = true; })},
      {"little-endian TIFF", Layout([](HeifExif& e) { e.tiff = PhoneTiff(ByteOrder::Little); })},
  };
  TempDir dir;
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto reader = Open(dir, test::HeifFile(c.exif));
    EXPECT_EQ(fkHEIF, reader->FileKind);
    EXPECT_EQ(At(2025, 7, 11, 9, 44, 38), reader->GetDateTime());
    EXPECT_EQ(At(2025, 7, 11, 9, 44, 37), reader->GetDateTimeOriginal());
    EXPECT_EQ("iPhone 15 Pro", reader->GetModel());
    EXPECT_EQ((tImageSize{4032, 3024}), reader->GetImageSize());
    EXPECT_FALSE(reader->IsPortrait());
  }
}

TEST(HeifFile, ExifAtTheEndOfALargeFileIsReadWithoutTheImageData) {
  HeifExif exif;
  exif.tiff = PhoneTiff();
  exif.imageBytes = 3 << 20;  // far beyond the search window
  TempDir dir;
  test::WriteBytes(dir / "f", test::HeifFile(exif));
  const std::unique_ptr<tBaseFile> reader = OpenReader(dir / "f");
  ASSERT_NE(nullptr, dynamic_cast<tHEIFFile*>(reader.get()));
  EXPECT_EQ("iPhone 15 Pro", reader->GetModel());
  EXPECT_GT(static_cast<tHEIFFile&>(*reader).TiffOffset, 3 << 20);
}

TEST(HeifFile, SizeOfThePrimaryImageWhenTheExifHasNone) {
  TempDir dir;
  HeifExif exif;
  exif.width = 3024;
  exif.height = 4032;
  exif.tiff = TiffBuilder(ByteOrder::Little).Ascii(tExifFile::kModel, "SM-S918B").Bytes();
  auto reader = Open(dir, test::HeifFile(exif));
  EXPECT_EQ((tImageSize{3024, 4032}), reader->GetImageSize());
  EXPECT_TRUE(reader->IsPortrait());
  // The Exif dimensions win when there are any.
  exif.tiff = PhoneTiff();
  reader = Open(dir, test::HeifFile(exif));
  EXPECT_EQ((tImageSize{4032, 3024}), reader->GetImageSize());
  EXPECT_EQ((tImageSize{3024, 4032}), reader->PrimarySize);
}

TEST(HeifFile, TiffOffsetsCannotLeaveTheExifItem) {
  // A model text whose offset points past the item: the bytes after it are not the item's.
  TempDir dir;
  TiffBuilder tiff(ByteOrder::Little);
  tiff.Raw(tExifFile::kModel, 2, 20, 4000).Ascii(tExifFile::kDateTime, "2024:01:02 03:04:05");
  HeifExif exif;
  exif.tiff = tiff.Bytes();
  exif.extents = 2;
  exif.imageBytes = 8000;
  std::string bytes = test::HeifFile(exif);
  auto reader = Open(dir, bytes);
  EXPECT_EQ("", reader->GetModel());
  EXPECT_EQ(At(2024, 1, 2, 3, 4, 5), reader->GetDateTime());
}

TEST(HeifFile, RaisesWithoutAReadableExifItem) {
  HeifExif exif;
  exif.tiff = PhoneTiff();
  const std::string good = test::HeifFile(exif);
  std::string noExifItem = good;
  noExifItem.replace(noExifItem.find(std::string("Exif\0", 5)), 4, "mime");
  std::string noTiff = good;
  noTiff.replace(noTiff.find("MM\0*"), 4, "XX\0*");
  std::string noMeta = good;
  noMeta.replace(noMeta.find("meta"), 4, "free");
  exif.inIdat = true;
  std::string idatMissing = test::HeifFile(exif);
  idatMissing.replace(idatMissing.find("idat"), 4, "free");
  TempDir dir;
  for (const std::string& bytes : {noExifItem, noTiff, noMeta, idatMissing}) {
    test::WriteBytes(dir / "f.heic", bytes);
    EXPECT_THROW(tHEIFFile reader(dir / "f.heic"), EExifException);
  }
}
