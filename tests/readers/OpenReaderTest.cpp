#include <gtest/gtest.h>

#include <functional>

#include "platform/Errors.h"
#include "readers/ExifFile.h"
#include "readers/OpenReader.h"
#include "readers/RiffFile.h"
#include "tests/support/ByteWriter.h"
#include "tests/support/IsoBuilder.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/ReaderByKind.h"
#include "tests/support/TempDir.h"
#include "tests/support/TiffBuilder.h"

using test::ByteOrder;
using test::TempDir;
using test::TiffBuilder;

namespace {

using test::ReaderByKind;

struct Values {
  tFileKind kind;
  TDateTime dateTime, original;
  std::string model;
  tImageSize size;
  bool portrait;
  friend bool operator==(const Values&, const Values&) = default;
};

Values ValuesOf(tBaseFile& reader) {
  return Values{reader.FileKind,   reader.GetDateTime(),  reader.GetDateTimeOriginal(),
                reader.GetModel(), reader.GetImageSize(), reader.IsPortrait()};
}

struct ReaderCase {
  const char* name;
  std::string bytes;
  std::function<bool(tBaseFile*)> isRightClass;
};

template <class Reader>
std::function<bool(tBaseFile*)> Is() {
  return [](tBaseFile* reader) { return dynamic_cast<Reader*>(reader) != nullptr; };
}

std::vector<ReaderCase> Cases() {
  TiffBuilder little(ByteOrder::Little);
  little.Ascii(tExifFile::kModel, "E-M1").ExifIfd().Long(tExifFile::kPixelXDimension, 10);
  TiffBuilder big(ByteOrder::Big);
  big.Ascii(tExifFile::kDateTime, "2001:01:01 01:01:01").Magic(0x2B);
  test::HeifExif heif;
  heif.tiff = little.Bytes();
  test::Mp4Spec mp4;
  mp4.created = test::MovieSeconds(2020, 2, 3, 4, 5, 6);
  mp4.tracks = {{"vide", 640, 480, 0}};
  return {
      {"camera JPEG", test::CameraJpeg(), Is<tJPEGFile>()},
      {"camera raw", test::CameraRaw(), Is<tRAW1File>()},
      {"camera AVI", test::CameraAvi(), Is<tRIFFFile>()},
      {"WAVE", test::RiffFile("WAVE", test::RiffChunk("ISFT", "Recorder")), Is<tRIFFFile>()},
      {"TIFF", little.Bytes() + "tail", Is<tRAW1File>()},
      {"raw without signature", big.Bytes(), Is<tRAW0File>()},
      {"HEIC", test::HeifFile(heif), Is<tHEIFFile>()},
      {"CR3", test::Cr3File(little.Bytes(), little.Bytes()), Is<tCR3File>()},
      {"MP4", test::Mp4File(mp4), Is<tMP4File>()},
      {"PNG", test::PngFile(2, 1, test::PngChunk("eXIf", little.Bytes())), Is<tPNGFile>()},
      {"WebP", test::RiffFile("WEBP", test::RiffChunk("EXIF", little.Bytes())), Is<tWEBPFile>()},
      {"AVI with embedded Exif",
       test::RiffFile("AVI ", test::RiffChunk("JUNK", std::string(3000, '\0') + little.Bytes())),
       Is<tRAW1File>()},
  };
}

}  // namespace

TEST(OpenReader, BuildsTheReaderTheKindCallsFor) {
  TempDir dir;
  for (const ReaderCase& c : Cases()) {
    test::WriteBytes(dir / "f", c.bytes);
    const std::unique_ptr<tBaseFile> reader = OpenReader(dir / "f");
    ASSERT_NE(nullptr, reader) << c.name;
    EXPECT_TRUE(c.isRightClass(reader.get())) << c.name;
    EXPECT_EQ(dir / "f", reader->FileName) << c.name;
    // The same values as classifying first and opening the reader by name.
    const std::unique_ptr<tBaseFile> longWay = ReaderByKind(dir / "f");
    EXPECT_TRUE(ValuesOf(*longWay) == ValuesOf(*reader)) << c.name;
  }
}

TEST(OpenReader, ValuesOfTheEmbeddedExifInAnAvi) {
  TempDir dir;
  test::WriteBytes(dir / "f", Cases().back().bytes);
  const std::unique_ptr<tBaseFile> reader = OpenReader(dir / "f");
  EXPECT_EQ(fkRAW1, reader->FileKind);
  EXPECT_EQ("E-M1", reader->GetModel());
  EXPECT_EQ(10, reader->GetImageSize().Width);
}

TEST(OpenReader, FailuresAreThoseOfClassificationAndConstruction) {
  TempDir dir;
  EXPECT_THROW(OpenReader(dir / "missing"), EFOpenError);
  test::WriteBytes(dir / "unknown", "PK\3\4 a zip file");
  EXPECT_THROW(OpenReader(dir / "unknown"), EExifException);
  // A JPEG without Exif and a file whose TIFF signature is gone are no Exif containers.
  test::WriteBytes(dir / "plain.jpg", test::JpegFile(test::JpegSegment(0xE0, "JFIF")));
  EXPECT_THROW(OpenReader(dir / "plain.jpg"), EExifException);
  test::WriteBytes(dir / "empty", "");
  EXPECT_THROW(OpenReader(dir / "empty"), EExifException);
}

TEST(OpenReader, ReaderKeepsTheFileOpenAndSharedUntilDestroyed) {
  TempDir dir;
  test::WriteBytes(dir / "f.jpg", test::CameraJpeg());
  const std::unique_ptr<tBaseFile> reader = OpenReader(dir / "f.jpg");
  // Others may read and write the file meanwhile.
  EXPECT_EQ(test::CameraJpeg().size(), test::ReadBytes(dir / "f.jpg").size());
  EXPECT_NO_THROW(test::WriteBytes(dir / "f.jpg", test::CameraJpeg()));
  EXPECT_EQ("Canon EOS 5D Mark II", reader->GetModel());
}
