#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "platform/FaultyFileSystem.h"
#include "platform/FileOperations.h"
#include "readers/BaseFile.h"
#include "tests/support/ByteWriter.h"
#include "tests/support/IsoBuilder.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/TempDir.h"

using test::Bytes;
using test::TempDir;

namespace {

const std::string kII = Bytes({0x49, 0x49, 0x2A, 0x00});
const std::string kMM = Bytes({0x4D, 0x4D, 0x00, 0x2A});

// Filler that holds no signature and does not start like any known kind.
std::string Filler(size_t count) { return std::string(count, '\x11'); }

std::string WithAt(std::string bytes, size_t at, const std::string& part) {
  if (bytes.size() < at + part.size()) bytes.resize(at + part.size(), '\x11');
  bytes.replace(at, part.size(), part);
  return bytes;
}

enum class Expect { Kind, NoExif };

struct KindCase {
  const char* name;
  std::string bytes;
  Expect expect;
  tFileKind kind;
};

const std::string kRiffSize = test::Le32(1234);

const KindCase kKindCases[] = {
    {"two-byte JPEG", Bytes({0xFF, 0xD8}), Expect::Kind, fkJPEG},
    {"JPEG without Exif", test::JpegFile(""), Expect::Kind, fkJPEG},
    {"JPEG holding a TIFF signature", Bytes({0xFF, 0xD8}) + kMM + "x", Expect::Kind, fkJPEG},
    {"little-endian TIFF", kII + test::Le32(8) + Filler(20), Expect::Kind, fkRAW1},
    {"big-endian TIFF", kMM + test::Be32(8) + Filler(20), Expect::Kind, fkRAW1},
    {"II with another number", "IIU" + Filler(30), Expect::Kind, fkRAW0},
    {"MM with another number", "MM" + Bytes({0, 0x2B}) + Filler(30), Expect::Kind, fkRAW0},
    {"two bytes II", "II", Expect::Kind, fkRAW0},
    {"signature at 81920", WithAt(Filler(81920), 81920, kII + "x"), Expect::Kind, fkRAW1},
    {"signature at 81921", WithAt(Filler(81921), 81921, kII + "x"), Expect::NoExif, fkUnknown},
    {"signature ends the file", Filler(100) + kMM, Expect::NoExif, fkUnknown},
    {"signature and one byte", Filler(100) + kMM + "x", Expect::Kind, fkRAW1},
    {"AVI", "RIFF" + kRiffSize + "AVI LIST", Expect::Kind, fkAVI},
    {"AVI with a zero size", "RIFF" + test::Le32(0) + "AVI LIST", Expect::Kind, fkAVI},
    {"WAVE", "RIFF" + kRiffSize + "WAVEfmt ", Expect::Kind, fkWAVE},
    {"12-byte AVI", "RIFF" + kRiffSize + "AVI ", Expect::Kind, fkAVI},
    {"other RIFF form", "RIFF" + kRiffSize + "WAVXfmt ", Expect::NoExif, fkUnknown},
    {"AVI cut inside its form type", "RIFF" + kRiffSize + "AVI", Expect::NoExif, fkUnknown},
    {"AVI with a TIFF signature at 3000", WithAt(test::RiffFile("AVI ", Filler(4000)), 3000, kII),
     Expect::Kind, fkRAW1},
    {"WebP", "RIFF" + kRiffSize + "WEBPVP8 ", Expect::Kind, fkWEBP},
    {"WebP with a TIFF signature", "RIFF" + kRiffSize + "WEBPEXIF" + kII + "xx", Expect::Kind,
     fkWEBP},
    {"PNG", Bytes({0x89, 'P', 'N', 'G', 13, 10, 0x1A, 10, 0, 0, 0, 13}), Expect::Kind, fkPNG},
    {"PNG cut inside its signature", Bytes({0x89, 'P', 'N', 'G', 13, 10}), Expect::NoExif,
     fkUnknown},
    {"HEIC", test::Ftyp("heic", {"mif1"}) + kMM + "x", Expect::Kind, fkHEIF},
    {"AVIF", test::Ftyp("avif", {"mif1", "miaf"}), Expect::Kind, fkHEIF},
    {"HEIF of brand mif1", test::Ftyp("mif1", {"heic"}), Expect::Kind, fkHEIF},
    {"CR3", test::Ftyp("crx ", {"crx ", "isom"}) + kII + "x", Expect::Kind, fkCR3},
    {"MP4", test::Ftyp("isom", {"mp41"}), Expect::Kind, fkMP4},
    {"iPhone MOV", test::Ftyp("qt  "), Expect::Kind, fkMP4},
    {"3GP", test::Ftyp("3gp5"), Expect::Kind, fkMP4},
    {"QuickTime without ftyp", test::Box("moov", "") + kII + "x", Expect::Kind, fkMP4},
    {"QuickTime starting with wide", test::Box("wide", "") + test::Box("mdat", ""), Expect::Kind,
     fkMP4},
    {"other box first", test::Box("abcd", std::string(8, '\x11')), Expect::NoExif, fkUnknown},
    {"empty file", "", Expect::NoExif, fkUnknown},
    {"one byte FF", Bytes({0xFF}), Expect::NoExif, fkUnknown},
    {"short other file", "GIF89a", Expect::NoExif, fkUnknown},
    {"D8 FF", Bytes({0xD8, 0xFF, 0, 0}), Expect::NoExif, fkUnknown},
};

}  // namespace

TEST(FileKind, ClassifiesByContentInTheDocumentedOrder) {
  TempDir dir;
  for (const KindCase& c : kKindCases) {
    const std::string path = dir / "file.bin";
    test::WriteBytes(path, c.bytes);
    if (c.expect == Expect::Kind) {
      EXPECT_EQ(c.kind, tBaseFile::GetFileKind(path)) << c.name;
    } else {
      EXPECT_THROW(tBaseFile::GetFileKind(path), EExifException) << c.name;
    }
  }
}

TEST(FileKind, LittleEndianSignatureWinsOverAnEarlierBigEndianOne) {
  TempDir dir;
  test::WriteBytes(dir / "f", Filler(10) + kMM + Filler(100) + kII + Filler(10));
  EXPECT_EQ(fkRAW1, tBaseFile::GetFileKind(dir / "f"));
}

TEST(FileKind, NameAndExtensionPlayNoPart) {
  TempDir dir;
  test::WriteBytes(dir / "photo.jpg", "RIFF" + kRiffSize + "WAVEdata");
  test::WriteBytes(dir / "clip.avi", Bytes({0xFF, 0xD8, 0xFF, 0xE0}));
  EXPECT_EQ(fkWAVE, tBaseFile::GetFileKind(dir / "photo.jpg"));
  EXPECT_EQ(fkJPEG, tBaseFile::GetFileKind(dir / "clip.avi"));
}

TEST(FileKind, MessageNamesThePathAsPassed) {
  TempDir dir;
  const std::string path = dir / "b.dat";
  test::WriteBytes(path, "nothing known");
  try {
    tBaseFile::GetFileKind(path);
    FAIL() << "no exception";
  } catch (const EExifException& e) {
    EXPECT_EQ("No Exif data in file '" + path + "'", std::string(e.what()));
  }
  EXPECT_EQ("No Exif data in file 'C:\\a\\b.dat'",
            std::string(EExifException::NoExifDataIn("C:\\a\\b.dat").what()));
}

TEST(FileKind, UnopenablePathRaisesEFOpenError) {
  TempDir dir;
  EXPECT_THROW(tBaseFile::GetFileKind(dir / "missing.jpg"), EFOpenError);
  EXPECT_THROW(tBaseFile::GetFileKind(dir.Path()), EFOpenError);  // a folder
}

// A read that fails is no end of the file: detection passes the error on, so the file is
// reported as unreadable instead of being taken for one of no known kind (or another).
TEST(FileKind, AReadErrorIsNoEndOfTheFile) {
  TempDir dir;
  test::WriteBytes(dir / "tiff", std::string("II*\0", 4) + Filler(100000));
  test::WriteBytes(dir / "plain", Filler(100000));  // searched through the whole window
  for (const auto& [name, bad] : {std::pair<const char*, int64_t>{"tiff", 0},
                                  {"plain", 4096},
                                  {"plain", 50000},
                                  {"plain", 81923}}) {
    platform::FaultyFileSystem files;
    files.FailReadsAt(name, bad, platform::SystemCode(platform::KnownError::InputOutput));
    EXPECT_THROW(tBaseFile::OpenClassified(files, dir / name), EReadError) << name << " " << bad;
  }
}

TEST(FileKind, SignatureJustBeyondTheWindowOfALargeFileIsNotSeen) {
  TempDir dir;
  std::string bytes = Filler(81924) + kII + Filler(1 << 20);
  test::WriteBytes(dir / "f", bytes);
  EXPECT_THROW(tBaseFile::GetFileKind(dir / "f"), EExifException);
}
