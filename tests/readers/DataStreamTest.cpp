#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "platform/Errors.h"
#include "platform/InputFile.h"
#include "readers/DataStream.h"
#include "tests/support/TempDir.h"

using test::TempDir;

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

// The search done the slow way, one seek and one read per start position.
int32_t ProbeByProbeFind(TDataStream& stream, const std::string& pattern, int64_t& positionAfter) {
  const int64_t length = static_cast<int64_t>(pattern.size());
  const int64_t size = stream.Size();
  for (int64_t i = 0; i <= stream.SearchLimit && i < size - length; ++i) {
    stream.Seek(i);
    char buffer[4096] = {};
    stream.Read(buffer, static_cast<size_t>(length));
    if (std::memcmp(buffer, pattern.data(), static_cast<size_t>(length)) == 0) {
      positionAfter = i + length;
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

}  // namespace

TEST(DataStream, ReadsLittleEndianValues) {
  TempDir dir;
  test::WriteBytes(dir / "f", Bytes({0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x41}));
  TDataStream stream(dir / "f");
  EXPECT_EQ(0x3412, stream.ReadWord());
  EXPECT_EQ(2, stream.Position());
  stream.Seek(0);
  EXPECT_EQ(0x78563412, stream.ReadLong());
  EXPECT_EQ(static_cast<int32_t>(0xF0DEBC9A), stream.ReadLong());
  EXPECT_EQ('A', stream.ReadChar());
  EXPECT_EQ(9, stream.Position());
  stream.Seek(8);
  EXPECT_EQ(0x41, stream.ReadLong());  // missing bytes read as zero
  EXPECT_EQ(0, stream.ReadByte());
}

TEST(DataStream, ReadStringStopsAtZeroButAdvancesByTheCount) {
  TempDir dir;
  test::WriteBytes(dir / "f", std::string("Exif\0\0MM", 8));
  TDataStream stream(dir / "f");
  EXPECT_EQ("Exif", stream.ReadString(5));
  EXPECT_EQ(5, stream.Position());
  EXPECT_EQ("", stream.ReadString(0));
  EXPECT_EQ(5, stream.Position());
  EXPECT_EQ("", stream.ReadString(-1));
  EXPECT_EQ(5, stream.Position());
  stream.Seek(6);
  EXPECT_EQ("MM", stream.ReadString(100));  // the file ends first
  EXPECT_EQ(8, stream.Position());
}

TEST(DataStream, ReadStringReadsAtMost4094Bytes) {
  TempDir dir;
  test::WriteBytes(dir / "f", std::string(10000, 'x'));
  TDataStream stream(dir / "f");
  for (int32_t count : {4094, 4095, 4096, 9999, 2147483647}) {
    stream.Seek(0);
    EXPECT_EQ(4094u, stream.ReadString(count).size()) << count;
    EXPECT_EQ(4094, stream.Position()) << count;
  }
}

TEST(DataStream, FindNeedsOneByteAfterThePattern) {
  TempDir dir;
  test::WriteBytes(dir / "exact", "MM\0*");
  test::WriteBytes(dir / "plus", std::string("MM\0*!", 5));
  test::WriteBytes(dir / "near", std::string("MM\0+!", 5));
  const std::string big = Bytes({0x4D, 0x4D, 0x00, 0x2A});
  TDataStream exact(dir / "exact");
  EXPECT_EQ(-1, exact.Find(big));
  TDataStream plus(dir / "plus");
  EXPECT_EQ(0, plus.Find(big));
  EXPECT_EQ(4, plus.Position());
  TDataStream near(dir / "near");
  EXPECT_EQ(-1, near.Find(big));
}

TEST(DataStream, FindTriesStartPositionsUpTo81920) {
  TempDir dir;
  const std::string pattern = Bytes({0x49, 0x49, 0x2A, 0x00});
  for (int start : {81918, 81919, 81920, 81921}) {
    std::string bytes(start, '\x11');
    bytes += pattern + "tail";
    test::WriteBytes(dir / "f", bytes);
    TDataStream stream(dir / "f");
    EXPECT_EQ(start <= 81920 ? start : -1, stream.Find(pattern)) << start;
  }
}

TEST(DataStream, ReadLongAfterFindReadsWhatFollowsThePattern) {
  TempDir dir;
  test::WriteBytes(dir / "f", std::string("....II*\0\x08\0\0\0rest", 16));
  TDataStream stream(dir / "f");
  ASSERT_EQ(4, stream.Find(std::string("II*\0", 4)));
  EXPECT_EQ(8, stream.ReadLong());
}

TEST(DataStream, OpenFailureRaisesEFOpenError) {
  TempDir dir;
  EXPECT_THROW(TDataStream(dir / "missing"), EFOpenError);
}

// Find answers from memory; it must agree with the probe-by-probe search in result,
// window bounds and the position after a hit.
TEST(DataStream, FindAgreesWithTheProbeByProbeSearch) {
  TempDir dir;
  std::mt19937 random(20081215);
  const std::string patterns[] = {Bytes({0x49, 0x49, 0x2A, 0x00}),
                                  Bytes({0x4D, 0x4D, 0x00, 0x2A}),
                                  Bytes({0xFF, 0xE1}),
                                  "IDIT",
                                  "avih",
                                  Bytes({0x00}),
                                  "ab"};
  for (int round = 0; round < 300; ++round) {
    // Sizes around the window edge and the first piece the search reads.
    const int sizes[] = {0, 1, 2, 5, 100, 4095, 4097, 20000, 81919, 81923, 81924, 81925, 90000};
    const int size =
        round % 3 == 0 ? sizes[random() % std::size(sizes)] : static_cast<int>(random() % 100000);
    // A small alphabet makes chance matches common.
    std::string bytes(static_cast<size_t>(size), '\0');
    for (char& c : bytes) c = "ab\x00\x2A\x49\x4D\xFF\xE1I"[random() % 9];
    std::string pattern = patterns[random() % std::size(patterns)];
    if (random() % 4 == 0) {
      pattern.clear();
      const size_t length = 1 + random() % 6;
      for (size_t i = 0; i < length; ++i) pattern += "ab\x49\x4D"[random() % 4];
    }
    // Plant the pattern at and around the window edges.
    if (random() % 2 == 0 && size > 0) {
      const int places[] = {0,
                            4094,
                            4096,
                            81918,
                            81919,
                            81920,
                            81921,
                            size - 1 - static_cast<int>(pattern.size()),
                            size - static_cast<int>(pattern.size())};
      const int at = places[random() % std::size(places)];
      if (at >= 0 && at + pattern.size() <= bytes.size())
        bytes.replace(at, pattern.size(), pattern);
    }
    test::WriteBytes(dir / "f", bytes);
    TDataStream fast(dir / "f");
    TDataStream slow(dir / "f");
    if (round % 5 == 0) fast.SearchLimit = slow.SearchLimit = static_cast<int32_t>(random() % 5000);
    int64_t expectedPosition = -1;
    const int32_t expected = ProbeByProbeFind(slow, pattern, expectedPosition);
    ASSERT_EQ(expected, fast.Find(pattern)) << "round " << round << " size " << size;
    if (expected >= 0) {
      ASSERT_EQ(expectedPosition, fast.Position()) << "round " << round;
    }
    // A second search on the same stream answers from the window read before.
    ASSERT_EQ(expected, fast.Find(pattern)) << "round " << round;
  }
}

// Small reads come from the bytes held in memory; they must deliver exactly what the
// file's own reads deliver, position included, inside and beyond the window and at the end.
TEST(DataStream, ReadsFromMemoryAgreeWithTheFile) {
  TempDir dir;
  std::mt19937 random(19991231);
  for (int size : {0, 1, 3, 4095, 4096, 4097, 81924, 131071, 131072, 131073, 300000}) {
    std::string bytes(static_cast<size_t>(size), '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    test::WriteBytes(dir / "f", bytes);
    TDataStream stream(dir / "f");
    platform::InputFile plain(dir / "f");
    int64_t plainPosition = 0;
    for (int round = 0; round < 2000; ++round) {
      // Positions near the edges of the pieces held, and anywhere.
      const int64_t edges[] = {0,      4094,   4096,     8190, 81920,
                               131068, 131072, size - 3, size, size + 5};
      int64_t position = round % 2 == 0 ? edges[random() % std::size(edges)] + random() % 7 - 3
                                        : static_cast<int64_t>(random() % (size + 20));
      if (position < 0) position = 0;
      const size_t counts[] = {1, 2, 4, 12, 256, 4094, 20000};
      const size_t count = counts[random() % std::size(counts)];
      std::string fromStream(count, '\x55');
      std::string fromFile(count, '\x55');
      stream.Seek(position);
      const size_t fromFileCount = plain.ReadAt(position, fromFile.data(), count);
      plainPosition = position + static_cast<int64_t>(fromFileCount);
      ASSERT_EQ(fromFileCount, stream.Read(fromStream.data(), count))
          << size << " at " << position << " count " << count;
      ASSERT_EQ(fromFile, fromStream) << size << " at " << position;
      ASSERT_EQ(plainPosition, stream.Position());
      // Interleave searches: they grow the window between reads.
      if (round % 50 == 0) stream.Find("\x01\x02\x03");
    }
  }
}

TEST(DataStream, ReadsLongAndWordAcrossTheEndOfTheFile) {
  TempDir dir;
  test::WriteBytes(dir / "f", Bytes({0x01, 0x02, 0x03}));
  TDataStream stream(dir / "f");
  stream.Seek(1);
  EXPECT_EQ(0x0302, stream.ReadLong());
  EXPECT_EQ(3, stream.Position());  // advanced by the bytes there were
  stream.Seek(2);
  EXPECT_EQ(0x0003, stream.ReadWord());
  stream.Seek(1000);
  EXPECT_EQ(0, stream.ReadLong());
  EXPECT_EQ("", stream.ReadString(10));
}
