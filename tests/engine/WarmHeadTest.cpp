#include <gtest/gtest.h>

#include "engine/readahead/WarmHead.h"
#include "platform/FileOperations.h"
#include "readers/DataStream.h"
#include "readers/HeadBytes.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/Photos.h"
#include "tests/support/TempDir.h"

namespace {

int64_t Needed(const std::string& head) {
  return HeadBytesNeeded(reinterpret_cast<const uint8_t*>(head.data()), head.size());
}

constexpr int64_t kPiece = TDataStream::kFirstPiece;
constexpr int64_t kWindow = TDataStream::kDefaultSearchLimit + 4;

}  // namespace

TEST(WarmHead, TheFirstPieceServesFilesWhoseMetadataStartsInItAndTheWindowServesTheRest) {
  const std::string exif = test::ExifApp1("MM\0*\0\0\0\x08" + std::string(8, '\0'));
  const std::string app0 = test::JpegSegment(0xE0, "JFIF" + std::string(10, '\0'));
  const std::string late = test::JpegFile(test::JpegSegment(0xFE, std::string(5000, 'c')) + exif);
  const struct {
    const char* what;
    std::string head;
    int64_t needed;
  } cases[] = {
      {"a JPEG with its Exif block first", test::JpegFile(exif), kPiece},
      {"a JPEG with JFIF, then Exif", test::JpegFile(app0 + exif), kPiece},
      {"a JPEG whose Exif block lies further on", late.substr(0, kPiece), kWindow},
      {"a JPEG without Exif", test::JpegFile(app0), kWindow},
      {"a little-endian TIFF", std::string("II*\0\x08\0\0\0", 8), kPiece},
      {"a big-endian TIFF", std::string("MM\0*\0\0\0\x08", 8), kPiece},
      {"an AVI", test::RiffFile("AVI ", test::RiffChunk("JUNK", "x")), kWindow},
      {"a file of no known kind", "\x89PNG\r\n\x1a\n", kWindow},
      {"an empty file", "", kWindow},
      {"FF D8 alone", "\xFF\xD8", kWindow},
  };
  for (const auto& c : cases) EXPECT_EQ(c.needed, Needed(c.head)) << c.what;
}

TEST(WarmHead, ReadsWhatThereIsAndFailsOnlyWhereNothingCanBeOpened) {
  test::TempDir dir;
  test::WriteBytes(dir / "photo.jpg", test::Photo({"2004:05:06 07:08:09"}));
  test::WriteBytes(dir / "short.bin", "xy");  // wants the window, has two bytes
  test::WriteBytes(dir / "empty", "");
  platform::ForceDirectories(dir / "folder");
  for (const char* name : {"photo.jpg", "short.bin", "empty"})
    EXPECT_NE(tWarmResult::Failed, WarmHead(dir / name)) << name;
  EXPECT_EQ(tWarmResult::Failed, WarmHead(dir / "missing.jpg"));
  EXPECT_EQ(tWarmResult::Failed, WarmHead(dir / "folder"));
}
