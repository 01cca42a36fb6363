// How FindTag walks IFD0 and the Exif IFD, and how it ends on broken files.
#include <gtest/gtest.h>

#include <memory>

#include "readers/ExifFile.h"
#include "tests/support/ByteWriter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TiffBuilder.h"

using test::ByteOrder;
using test::Le16;
using test::Le32;
using test::TempDir;
using test::TiffBuilder;

namespace {

constexpr uint16_t kModel = tExifFile::kModel;
constexpr uint16_t kDateTime = tExifFile::kDateTime;
constexpr uint16_t kPointer = tExifFile::kExifIfdPointer;
constexpr uint16_t kOriginal = tExifFile::kDateTimeOriginal;
constexpr uint16_t kWidth = tExifFile::kPixelXDimension;

TDateTime At(int year, int month, int day, int hour, int minute, int second) {
  return platform::EncodeDateTime({year, month, day, hour, minute, second, 0});
}

std::unique_ptr<tRAW1File> OpenRaw(const TempDir& dir, const std::string& bytes) {
  test::WriteBytes(dir / "file.tif", bytes);
  return std::make_unique<tRAW1File>(dir / "file.tif");
}

// A little-endian IFD: count, 12-byte entries, no next-IFD offset.
std::string Entry(uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
  return Le16(tag) + Le16(type) + Le32(count) + Le32(value);
}

std::string Header(uint32_t ifd0) { return std::string("II*\0", 4) + Le32(ifd0); }

}  // namespace

TEST(ExifWalk, TagAfterTheExifPointerInIfd0IsNotFound) {
  TempDir dir;
  // DateTime in IFD0 after the pointer (out of the ascending order TIFF asks for).
  const std::string date = "2001:02:03 04:05:06";
  std::string bytes = Header(8);
  bytes += Le16(3) + Entry(kModel, 2, 4, 0x00434241) + Entry(kPointer, 4, 1, 50) +
           Entry(kDateTime, 2, 20, 70) + Le32(0);            // ends at 8 + 2 + 36 + 4 = 50
  bytes += Le16(1) + Entry(kOriginal, 2, 20, 70) + Le32(0);  // ends at 68
  bytes += std::string(2, '\0') + date + '\0';
  auto reader = OpenRaw(dir, bytes);
  EXPECT_EQ("ABC", reader->GetModel());
  EXPECT_EQ(0, reader->GetDateTime());
  EXPECT_EQ("", reader->GetTagText(kDateTime));
  EXPECT_EQ(At(2001, 2, 3, 4, 5, 6), reader->GetDateTimeOriginal());
}

TEST(ExifWalk, TagInIfd0BeforeThePointerWinsOverTheExifIfd) {
  TempDir dir;
  TiffBuilder tiff(ByteOrder::Big);
  tiff.Ascii(kOriginal, "2020:01:01 00:00:01")
      .ExifIfd()
      .Ascii(kOriginal, "2021:01:01 00:00:01")
      .Ascii(kDateTime, "2022:01:01 00:00:01");
  auto reader = OpenRaw(dir, tiff.Bytes() + "end");
  EXPECT_EQ(At(2020, 1, 1, 0, 0, 1), reader->GetDateTimeOriginal());
  // A DateTime that only the Exif IFD holds is found there.
  EXPECT_EQ(At(2022, 1, 1, 0, 0, 1), reader->GetDateTime());
}

TEST(ExifWalk, FirstMatchInsideOneIfdWins) {
  TempDir dir;
  TiffBuilder tiff(ByteOrder::Little);
  tiff.Ascii(kModel, "First model").Ascii(kModel, "Second model");
  auto reader = OpenRaw(dir, tiff.Bytes() + "end");
  EXPECT_EQ("First model", reader->GetModel());
}

TEST(ExifWalk, PointerInTheExifIfdSendsTheWalkOn) {
  TempDir dir;
  std::string bytes = Header(8);
  bytes += Le16(1) + Entry(kPointer, 4, 1, 26) + Le32(0);  // IFD0 at 8, ends at 26
  bytes += Le16(1) + Entry(kPointer, 4, 1, 44) + Le32(0);  // Exif IFD at 26, ends at 44
  bytes += Le16(1) + Entry(kWidth, 4, 1, 1234) + Le32(0);  // a third IFD at 44
  auto reader = OpenRaw(dir, bytes);
  EXPECT_EQ(1234, reader->GetTagValue(kWidth));
}

TEST(ExifWalk, PointerLoopsEnd) {
  TempDir dir;
  struct LoopCase {
    const char* name;
    std::string bytes;
  };
  // IFD0 lies at 8 and ends at 26; the IFDs after it take 18 bytes each.
  const std::string ifd0 = Header(8) + Le16(1) + Entry(kPointer, 4, 1, 26) + Le32(0);
  const LoopCase cases[] = {
      {"IFD0 points to itself", Header(8) + Le16(1) + Entry(kPointer, 4, 1, 8) + Le32(0)},
      {"Exif IFD points to itself", ifd0 + Le16(1) + Entry(kPointer, 4, 1, 26) + Le32(0)},
      {"Exif IFD points back to IFD0",
       ifd0 + Le16(2) + Entry(0x0001, 3, 1, 5) + Entry(kPointer, 4, 1, 8) + Le32(0)},
      {"three IFDs in a ring", ifd0 + Le16(1) + Entry(kPointer, 4, 1, 44) + Le32(0) + Le16(1) +
                                   Entry(kPointer, 4, 1, 26) + Le32(0)},
  };
  for (const LoopCase& c : cases) {
    auto reader = OpenRaw(dir, c.bytes + "end");
    EXPECT_EQ(0, reader->FindTag(kWidth).Tag) << c.name;
    EXPECT_EQ("", reader->GetModel()) << c.name;
    EXPECT_EQ(0, reader->GetDateTimeOriginal()) << c.name;
    EXPECT_EQ((tImageSize{0, 0}), reader->GetImageSize()) << c.name;
  }
}

TEST(ExifWalk, ChainOfPointersIsFollowedForAtMostSixteenIfds) {
  TempDir dir;
  // IFD k lies at 8 + 18 k and points to IFD k + 1; the last one holds the width.
  for (int ifds : {2, 16, 17}) {
    std::string bytes = Header(8);
    for (int k = 0; k + 1 < ifds; ++k)
      bytes += Le16(1) + Entry(kPointer, 4, 1, static_cast<uint32_t>(8 + 18 * (k + 1))) + Le32(0);
    bytes += Le16(1) + Entry(kWidth, 4, 1, 777) + Le32(0);
    auto reader = OpenRaw(dir, bytes);
    EXPECT_EQ(ifds <= tExifFile::kMaxIfdsWalked ? 777 : 0, reader->GetTagValue(kWidth)) << ifds;
  }
}

TEST(ExifWalk, OffsetsBeforeTheStartOrPastTheEndFindNothing) {
  TempDir dir;
  struct OffsetCase {
    const char* name;
    std::string bytes;
  };
  const OffsetCase cases[] = {
      {"IFD0 before the start", Header(0xFFFFFFF0) + Le16(1) + Entry(kModel, 2, 8, 20)},
      {"IFD0 far before the start", Header(0x80000000) + Le16(1) + Entry(kModel, 2, 8, 20)},
      {"IFD0 past the end", Header(0x7FFFFFFF) + Le16(1) + Entry(kModel, 2, 8, 20)},
      {"text before the start", Header(8) + Le16(1) + Entry(kModel, 2, 8, 0xFFFFFFF8) + Le32(0)},
      {"text past the end", Header(8) + Le16(1) + Entry(kModel, 2, 8, 0x7FFFFFF0) + Le32(0)},
      {"Exif IFD before the start",
       Header(8) + Le16(1) + Entry(kPointer, 4, 1, 0xFFFFFFFE) + Le32(0)},
      {"Exif IFD past the end", Header(8) + Le16(1) + Entry(kPointer, 4, 1, 0x7FFFFFFF) + Le32(0)},
      {"count runs past the end", Header(8) + Le16(0xFFFF) + Entry(kDateTime, 3, 1, 2)},
  };
  for (const OffsetCase& c : cases) {
    auto reader = OpenRaw(dir, c.bytes + "end");
    EXPECT_EQ("", reader->GetModel()) << c.name;
    EXPECT_EQ(0, reader->GetDateTime()) << c.name;
    EXPECT_EQ(0, reader->GetTagValue(kWidth)) << c.name;
    EXPECT_FALSE(reader->IsPortrait()) << c.name;
  }
}

TEST(ExifWalk, EntriesFarIntoALargeFileAreRead) {
  // The Exif IFD and the texts lie megabytes after the header: well outside the window.
  TempDir dir;
  const uint32_t far = 3 * 1024 * 1024 + 7;
  std::string bytes = Header(8);
  bytes += Le16(2) + Entry(kModel, 2, 9, far - 20) + Entry(kPointer, 4, 1, far) + Le32(0);
  bytes.resize(far - 20, '\x01');
  bytes += std::string("Far away\0", 9) + std::string(11, '\x01');
  bytes += Le16(2) + Entry(kOriginal, 2, 20, far + 30) + Entry(kWidth, 3, 1, 4321) + Le32(0);
  bytes += std::string("2002:03:04 05:06:07\0", 20) + std::string(100000, '\x02');
  auto reader = OpenRaw(dir, bytes);
  EXPECT_EQ("Far away", reader->GetModel());
  EXPECT_EQ(At(2002, 3, 4, 5, 6, 7), reader->GetDateTimeOriginal());
  EXPECT_EQ(4321, reader->GetImageSize().Width);
}

TEST(ExifWalk, LargestIfdIsWalkedToItsLastEntry) {
  TempDir dir;
  // 65535 entries; the wanted one is the last. Then the same file cut inside the IFD,
  // the wanted entry moved before the cut: what lies past the end reads as zeros.
  std::string ifd = Le16(0xFFFF);
  for (int i = 0; i < 0xFFFE; ++i) ifd += Entry(0x0101, 3, 1, static_cast<uint32_t>(i));
  ifd += Entry(kWidth, 4, 1, 65535);
  auto reader = OpenRaw(dir, Header(8) + ifd + Le32(0));
  EXPECT_EQ(65535, reader->GetTagValue(kWidth));
  EXPECT_EQ(0, reader->GetTagValue(kOriginal));

  std::string cut = Header(8) + ifd.substr(0, 2 + 12 * 1000);
  cut.replace(8 + 2 + 12 * 999, 12, Entry(kWidth, 4, 1, 999));
  reader = OpenRaw(dir, cut);
  EXPECT_EQ(999, reader->GetTagValue(kWidth));
  EXPECT_EQ(0, reader->GetTagValue(kOriginal));
}
