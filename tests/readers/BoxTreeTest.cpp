// The box walk on random trees, whole and damaged, and the container readers on damaged
// files: every walk ends, no box leads outside its parent, no reader fails.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "readers/IsoBoxes.h"
#include "readers/OpenReader.h"
#include "tests/support/ByteWriter.h"
#include "tests/support/IsoBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/support/TiffBuilder.h"

using test::TempDir;

namespace {

// A box as it was written, to compare with what the walk finds.
struct Written {
  uint32_t type;
  int64_t start, payload, end;
  std::vector<Written> children;
};

uint32_t TypeOf(const std::string& code) {
  return static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8 | static_cast<uint8_t>(code[3]);
}

// Writes `count` random sibling boxes at `at`; the last one may have size 0 (to the end).
std::string RandomBoxes(std::mt19937& random, int depth, int64_t at, bool lastToEnd,
                        std::vector<Written>& out) {
  static const char* const kTypes[] = {"moov", "trak", "free", "uuid", "mdat", "abcd"};
  std::string bytes;
  const int count = static_cast<int>(random() % 4);
  for (int i = 0; i < count; ++i) {
    const std::string type = kTypes[random() % 6];
    const int header = random() % 4;  // 0, 1: plain; 2: 64-bit size; 3: size 0 when last
    const bool toEnd = header == 3 && lastToEnd && i == count - 1;
    const bool large = header == 2;
    const int64_t headerBytes = (large ? 16 : 8) + (type == "uuid" ? 16 : 0);
    Written box{TypeOf(type), at, at + headerBytes, 0, {}};
    std::string payload = type == "uuid" ? std::string(16, static_cast<char>(random())) : "";
    if (depth < 3 && random() % 2 == 0) {
      payload += RandomBoxes(random, depth + 1, box.payload, true, box.children);
    } else {
      payload += std::string(random() % 40, static_cast<char>(random()));
    }
    std::string written;
    if (toEnd)
      written = test::BoxSized(type, 0, payload);
    else if (large)
      written = test::LargeBox(type, payload);
    else
      written = test::Box(type, payload);
    box.end = at + static_cast<int64_t>(written.size());
    out.push_back(box);
    bytes += written;
    at += static_cast<int64_t>(written.size());
  }
  return bytes;
}

void ExpectSameTree(TDataStream& stream, int64_t begin, int64_t end,
                    const std::vector<Written>& written) {
  tBoxWalk walk(stream, begin, end);
  tBox box;
  for (const Written& w : written) {
    ASSERT_TRUE(walk.Next(box));
    EXPECT_EQ(w.type, box.Type);
    EXPECT_EQ(w.start, box.Start);
    EXPECT_EQ(w.payload, box.Payload);
    EXPECT_EQ(w.end, box.End);
    if (!w.children.empty()) ExpectSameTree(stream, box.Payload, box.End, w.children);
  }
  EXPECT_FALSE(walk.Next(box));
}

// Walks every box as if it had children, to a depth; checks what the walk promises.
void WalkDamaged(TDataStream& stream, int64_t begin, int64_t end, int depth, int& boxes) {
  tBoxWalk walk(stream, begin, end);
  tBox box;
  int64_t last = begin;
  while (walk.Next(box)) {
    ++boxes;
    ASSERT_EQ(last, box.Start);  // siblings follow one another
    ASSERT_LE(box.Payload, box.End);
    ASSERT_LT(box.Start, box.Payload);
    ASSERT_LE(box.End, std::min(end, stream.Size()));
    last = box.End;
    if (depth < 8) WalkDamaged(stream, box.Payload, box.End, depth + 1, boxes);
  }
}

std::string Damaged(std::mt19937& random, std::string bytes) {
  if (bytes.empty()) return bytes;
  const int changes = 1 + static_cast<int>(random() % 4);
  for (int c = 0; c < changes; ++c) {
    const size_t at = random() % bytes.size();
    switch (random() % 5) {
      case 0:  // cut the file short
        bytes.resize(at);
        break;
      case 1: {  // a size field of a chosen kind where a size could be
        static const uint32_t kSizes[] = {0, 1, 4, 7, 8, 0x7FFFFFFF, 0xFFFFFFFF};
        const std::string size = test::Be32(kSizes[random() % 7]);
        bytes.replace(at, std::min(size.size(), bytes.size() - at), size);
        break;
      }
      case 2:  // a huge count or offset
        bytes.replace(at, std::min<size_t>(4, bytes.size() - at), "\xFF\xFF\xFF\xFF");
        break;
      default:
        bytes[at] = static_cast<char>(random());
    }
    if (bytes.empty()) break;
  }
  return bytes;
}

}  // namespace

TEST(BoxTree, WalkFindsExactlyTheBoxesWritten) {
  std::mt19937 random(20250711);
  TempDir dir;
  for (int tree = 0; tree < 200; ++tree) {
    std::vector<Written> written;
    const std::string bytes = RandomBoxes(random, 0, 0, true, written);
    test::WriteBytes(dir / "tree", bytes);
    TDataStream stream(dir / "tree");
    SCOPED_TRACE(tree);
    ExpectSameTree(stream, 0, stream.Size(), written);
  }
}

TEST(BoxTree, BrokenHeadersEndTheWalk) {
  TempDir dir;
  const struct {
    const char* name;
    std::string bytes;
    int boxes;
  } cases[] = {
      {"size smaller than the header", test::BoxSized("free", 4, "xxxx") + test::Box("moov", ""),
       0},
      {"64-bit size smaller than the header",
       test::Be32(1) + "free" + test::Be32(0) + test::Be32(15) + test::Box("moov", ""), 0},
      {"header cut short", test::Box("free", "") + std::string("\0\0\0", 3), 1},
      {"64-bit size cut short", test::Box("free", "") + test::Be32(1) + "mdat" + "\0\0", 1},
      {"size past the end: taken to the end", test::BoxSized("moov", 1000, "abc"), 1},
      {"64-bit size that would wrap", test::Be32(1) + "mdat" + "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xF0",
       1},
  };
  for (const auto& c : cases) {
    test::WriteBytes(dir / "f", c.bytes);
    TDataStream stream(dir / "f");
    int boxes = 0;
    WalkDamaged(stream, 0, stream.Size(), 0, boxes);
    EXPECT_LE(c.boxes, boxes) << c.name;
    tBoxWalk top(stream, 0, stream.Size());
    tBox box;
    int top_level = 0;
    while (top.Next(box)) ++top_level;
    EXPECT_EQ(c.boxes, top_level) << c.name;
  }
}

TEST(BoxTree, DamagedTreesNeverLeadOutsideTheirParent) {
  std::mt19937 random(7);
  TempDir dir;
  for (int tree = 0; tree < 300; ++tree) {
    std::vector<Written> written;
    const std::string bytes = Damaged(random, RandomBoxes(random, 0, 0, true, written));
    test::WriteBytes(dir / "tree", bytes);
    TDataStream stream(dir / "tree");
    int boxes = 0;
    SCOPED_TRACE(tree);
    WalkDamaged(stream, 0, stream.Size(), 0, boxes);
  }
}

TEST(BoxTree, ContainerReadersSurviveDamagedFiles) {
  test::TiffBuilder tiff(test::ByteOrder::Little);
  tiff.Ascii(0x0110, "Model").Ascii(0x0132, "2020:01:02 03:04:05").ExifIfd().Long(0xA002, 4);
  test::HeifExif heif;
  heif.tiff = tiff.Bytes();
  heif.extents = 2;
  heif.width = 8;
  test::HeifExif idat = heif;
  idat.inIdat = true;
  idat.ilocVersion = 2;
  test::Mp4Spec mp4;
  mp4.created = test::MovieSeconds(2020, 1, 2, 3, 4, 5);
  mp4.tracks = {{"soun", 0, 0, 0}, {"vide", 640, 480, 1}};
  mp4.appleDate = "2020-01-02T03:04:05-0500";
  mp4.appleModel = "iPhone";
  mp4.moovAtEnd = false;
  const std::string files[] = {test::HeifFile(heif), test::HeifFile(idat), test::Mp4File(mp4),
                               test::Cr3File(tiff.Bytes(), tiff.Bytes()),
                               test::PngFile(3, 4, test::PngChunk("eXIf", tiff.Bytes()))};
  std::mt19937 random(11);
  TempDir dir;
  const auto started = std::chrono::steady_clock::now();
  int read = 0;
  for (int round = 0; round < 200; ++round) {
    for (const std::string& file : files) {
      test::WriteBytes(dir / "f", Damaged(random, file));
      try {
        const std::unique_ptr<tBaseFile> reader = OpenReader(dir / "f");
        if (!reader) continue;
        const tImageSize size = reader->GetImageSize();
        EXPECT_EQ(size.Width < size.Height, reader->IsPortrait());
        const TDateTime date = reader->GetDateTime();
        EXPECT_EQ(date, reader->GetDateTime());
        EXPECT_EQ(reader->GetModel(), reader->GetModel());
        reader->GetDateTimeOriginal();
        ++read;
      } catch (const EExifException&) {
      }
    }
  }
  EXPECT_GT(read, 100);  // most damage leaves something to read
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
}

TEST(BoxTree, HugeCountsInIlocAndKeysEndQuickly) {
  TempDir dir;
  test::HeifExif heif;
  heif.tiff = test::TiffBuilder(test::ByteOrder::Little).Ascii(0x0110, "M").Bytes();
  for (int version : {1, 2}) {
    heif.ilocVersion = version;
    std::string bytes = test::HeifFile(heif);
    // The item count that follows the field sizes claims all items there could be.
    const size_t count = bytes.find("iloc") + 4 + 4 + 2;
    bytes.replace(count, version < 2 ? 2 : 4, version < 2 ? "\xFF\xFF" : "\xFF\xFF\xFF\xFF");
    // ... and the Exif item is no longer where the count says.
    test::WriteBytes(dir / "f", bytes);
    const auto started = std::chrono::steady_clock::now();
    try {
      const std::unique_ptr<tBaseFile> reader = OpenReader(dir / "f");
      EXPECT_EQ("M", reader->GetModel());  // the real items still come first
    } catch (const EExifException&) {
      ADD_FAILURE() << "the real items come first";
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  }
  test::Mp4Spec mp4;
  mp4.appleModel = "iPhone";
  std::string bytes = test::Mp4File(mp4);
  const size_t keys = bytes.find("keys") + 4 + 4;
  bytes.replace(keys, 4, "\xFF\xFF\xFF\xFF");
  test::WriteBytes(dir / "f", bytes);
  EXPECT_EQ("iPhone", OpenReader(dir / "f")->GetModel());
}
