#include <gtest/gtest.h>

#include <memory>

#include "readers/RiffFile.h"
#include "tests/support/ByteWriter.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/TempDir.h"

using test::AviMainHeader;
using test::RiffChunk;
using test::RiffChunkSized;
using test::RiffList;
using test::TempDir;

namespace {

TDateTime At(int year, int month, int day, int hour, int minute, int second) {
  return platform::EncodeDateTime({year, month, day, hour, minute, second, 0});
}

std::unique_ptr<tRIFFFile> OpenAvi(const TempDir& dir, const std::string& chunks) {
  test::WriteBytes(dir / "clip.avi", test::RiffFile("AVI ", chunks));
  return std::make_unique<tRIFFFile>(dir / "clip.avi");
}

struct DateCase {
  const char* name;
  std::string chunks;
  TDateTime expected;
};

}  // namespace

TEST(RiffFile, DateFromIditOrFromIcrdAndEtim) {
  TempDir dir;
  const std::string idit = RiffChunk("IDIT", "THU OCT 22 17:46:12 2009\n");
  const std::string icrd = RiffChunk("ICRD", "2009:10:23");
  const std::string etim = RiffChunk("etim", "08:09:10");
  const DateCase cases[] = {
      {"IDIT", RiffList("hdrl", idit), At(2009, 10, 22, 17, 46, 12)},
      {"IDIT wins", icrd + etim + idit, At(2009, 10, 22, 17, 46, 12)},
      {"IDIT that is no date hides the others", RiffChunk("IDIT", "yesterday") + icrd + etim, 0},
      {"empty IDIT hides the others", RiffChunk("IDIT", "") + icrd + etim, 0},
      {"ICRD, a blank, etim", icrd + etim, At(2009, 10, 23, 8, 9, 10)},
      {"etim before ICRD in the file", etim + icrd, At(2009, 10, 23, 8, 9, 10)},
      // Without the leading blank "009:..." would fail; with it the year reads as 9.
      {"etim alone starts with a blank", RiffChunk("etim", "009:06:15 14:05:09"),
       At(9, 6, 15, 14, 5, 9)},
      {"ICRD alone with date and time", RiffChunk("ICRD", "2011-02-03 04:05:06"),
       At(2011, 2, 3, 4, 5, 6)},
      {"ICRD date only", icrd, 0},
      {"no date chunk", RiffChunk("ISFT", "x"), 0},
      {"text cut by the chunk size", RiffChunkSized("IDIT", 10, "2008:06:15 14:05:09"), 0},
  };
  for (const DateCase& c : cases) {
    auto reader = OpenAvi(dir, c.chunks);
    EXPECT_EQ(c.expected, reader->GetDateTime()) << c.name;
    EXPECT_EQ(c.expected, reader->GetDateTimeOriginal()) << c.name;
  }
}

TEST(RiffFile, ChunkTextIsCutAt4094Bytes) {
  TempDir dir;
  const std::string longModel = std::string(5000, 'm');
  auto reader = OpenAvi(dir, RiffChunk("ISFT", longModel));
  EXPECT_EQ(std::string(4094, 'm'), reader->GetModel());
}

namespace {

struct ModelCase {
  const char* name;
  std::string chunks;
  std::string model;
};

}  // namespace

TEST(RiffFile, ModelFromIsftOrEmdl) {
  TempDir dir;
  const ModelCase cases[] = {
      {"ISFT trimmed", RiffList("INFO", RiffChunk("ISFT", " CanonMVI06  \r\n")), "CanonMVI06"},
      {"emdl without ISFT", RiffChunk("emdl", "DMC-FZ8\0"), "DMC-FZ8"},
      {"ISFT wins over an earlier emdl", RiffChunk("emdl", "E") + RiffChunk("ISFT", "I"), "I"},
      {"empty ISFT still wins", RiffChunk("ISFT", "") + RiffChunk("emdl", "E"), ""},
      {"neither", RiffChunk("IDIT", "x"), ""},
      {"zero inside ends the text", RiffChunk("ISFT", std::string("ab\0cd", 5)), "ab"},
  };
  for (const ModelCase& c : cases) {
    EXPECT_EQ(c.model, OpenAvi(dir, c.chunks)->GetModel()) << c.name;
  }
}

namespace {

struct SizeCase {
  const char* name;
  std::string chunks;
  tImageSize size;
  bool portrait;
};

}  // namespace

TEST(RiffFile, FrameSizeFromAvih) {
  TempDir dir;
  const SizeCase cases[] = {
      {"landscape", RiffChunk("avih", AviMainHeader(1280, 720)), {1280, 720}, false},
      {"portrait", RiffChunk("avih", AviMainHeader(720, 1280)), {720, 1280}, true},
      {"square", RiffChunk("avih", AviMainHeader(640, 640)), {640, 640}, false},
      {"no avih", RiffChunk("strh", std::string(56, '\0')), {-1, -1}, false},
      {"size 36: the height lies beyond it",
       RiffChunkSized("avih", 36, AviMainHeader(320, 240)),
       {320, 0},
       false},
      {"size 32: both beyond", RiffChunkSized("avih", 32, AviMainHeader(320, 240)), {0, 0}, false},
      {"size 0", RiffChunkSized("avih", 0, AviMainHeader(320, 240)), {0, 0}, false},
      {"negative height", RiffChunk("avih", AviMainHeader(10, -5)), {10, -5}, false},
      // The first occurrence wins, even inside another chunk's data.
      {"identifier inside earlier data",
       RiffChunk("JUNK", "avih" + test::Le32(56) + AviMainHeader(1, 2)) +
           RiffChunk("avih", AviMainHeader(1920, 1080)),
       {1, 2},
       true},
  };
  for (const SizeCase& c : cases) {
    auto reader = OpenAvi(dir, c.chunks);
    EXPECT_EQ(c.size, reader->GetImageSize()) << c.name;
    EXPECT_EQ(c.portrait, reader->IsPortrait()) << c.name;
  }
}

TEST(RiffFile, AvihCutByTheEndOfTheFile) {
  TempDir dir;
  // avih claims 56 bytes; the file ends after 34 of them: the width's last bytes are zero.
  const std::string header = AviMainHeader(0x01020304, 0x05060708);
  const std::string bytes = test::RiffFile("AVI ", "avih" + test::Le32(56) + header.substr(0, 34));
  test::WriteBytes(dir / "cut.avi", bytes);
  tRIFFFile reader(dir / "cut.avi");
  EXPECT_EQ((tImageSize{0x0304, 0}), reader.GetImageSize());
}

TEST(RiffFile, HugeChunkSizesDoNotFailTheReader) {
  TempDir dir;
  for (uint32_t size : {0x80000000u, 0xFFFFFFFFu, 0xFFFFFFFEu}) {
    const std::string chunks = RiffChunkSized("IDIT", size, "THU OCT 22 17:46:12 2009") +
                               RiffChunkSized("ISFT", size, "Cam") +
                               RiffChunkSized("avih", size, AviMainHeader(640, 480));
    auto reader = OpenAvi(dir, chunks);
    // Such a size counts as an empty chunk: found, but holding nothing.
    EXPECT_EQ(0, reader->GetDateTime()) << size;
    EXPECT_EQ("", reader->GetModel()) << size;
    EXPECT_EQ((tImageSize{0, 0}), reader->GetImageSize()) << size;
    EXPECT_FALSE(reader->IsPortrait()) << size;
  }
}

TEST(RiffFile, ChunksBeyondTheWindowAreNotSeen) {
  TempDir dir;
  for (size_t junk : {81920u - 12 - 8, 81920u - 12 - 8 + 2}) {
    // The IDIT identifier starts at 12 + 8 + junk: 81920, then 81922.
    const std::string chunks = RiffChunk("JUNK", std::string(junk, '\0')) +
                               RiffChunk("IDIT", "Sun Jun 15 14:05:09 2008") +
                               RiffChunk("ISFT", "Late");
    auto reader = OpenAvi(dir, chunks);
    const bool seen = 20 + junk <= 81920;
    EXPECT_EQ(seen ? At(2008, 6, 15, 14, 5, 9) : 0, reader->GetDateTime()) << junk;
    EXPECT_EQ("", reader->GetModel()) << junk;  // ISFT lies further on
  }
}

TEST(RiffFile, WaveWithoutChunksGivesTheEmptyValues) {
  TempDir dir;
  test::WriteBytes(dir / "s.wav",
                   test::RiffFile("WAVE", RiffChunk("fmt ", std::string(16, '\1')) +
                                              RiffChunk("data", std::string(1000, '\2'))));
  tRIFFFile reader(dir / "s.wav");
  EXPECT_EQ(fkWAVE, reader.FileKind);
  EXPECT_EQ(0, reader.GetDateTime());
  EXPECT_EQ(0, reader.GetDateTimeOriginal());
  EXPECT_EQ("", reader.GetModel());
  EXPECT_EQ((tImageSize{-1, -1}), reader.GetImageSize());
  EXPECT_FALSE(reader.IsPortrait());
}

TEST(RiffFile, CameraClip) {
  TempDir dir;
  test::WriteBytes(dir / "c.avi", test::CameraAvi());
  tRIFFFile reader(dir / "c.avi");
  EXPECT_EQ(fkAVI, reader.FileKind);
  EXPECT_EQ(At(2009, 10, 22, 17, 46, 12), reader.GetDateTime());
  EXPECT_EQ("CanonMVI06", reader.GetModel());
  EXPECT_EQ((tImageSize{640, 480}), reader.GetImageSize());
}
