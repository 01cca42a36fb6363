// The identifier Apple gives both halves of a Live Photo: in the still's maker note, in
// the clip's metadata keys.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "readers/OpenReader.h"
#include "tests/support/ByteWriter.h"
#include "tests/support/IsoBuilder.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/Photos.h"
#include "tests/support/TempDir.h"

namespace {

constexpr char kId[] = "AB12CD34-5678-90EF-ABCD-1234567890AB";

test::PhotoInfo Live(const std::string& identifier) {
  test::PhotoInfo info("2023:01:01 13:00:00", "2023:01:01 13:00:00");
  info.contentIdentifier = identifier;
  return info;
}

// A JPEG whose Exif IFD holds the maker note bytes as they are.
std::string JpegWithNote(const std::string& note) {
  test::TiffBuilder tiff(test::ByteOrder::Little);
  tiff.ExifIfd()
      .Ascii(0x9003, "2023:01:01 13:00:00")
      .Outside(0x927C, 7, static_cast<uint32_t>(note.size()), note);
  return test::JpegFile(test::ExifApp1(tiff.Bytes()));
}

struct IdentifierCase {
  const char* what;
  std::function<std::string()> bytes;
  std::string expected;
};

void PrintTo(const IdentifierCase& c, std::ostream* out) { *out << c.what; }

class ContentIdentifier : public ::testing::TestWithParam<IdentifierCase> {};

TEST_P(ContentIdentifier, IsReadWhereAppleWritesIt) {
  const IdentifierCase& c = GetParam();
  test::TempDir dir;
  test::WriteBytes(dir / "file", c.bytes());
  const std::unique_ptr<tBaseFile> reader = OpenReader(dir / "file");
  ASSERT_NE(nullptr, reader);
  EXPECT_EQ(c.expected, reader->GetContentIdentifier()) << c.what;
}

const IdentifierCase kCases[] = {
    {"a JPEG's maker note", [] { return test::Photo(Live(kId)); }, kId},
    {"a big-endian raw's maker note", [] { return test::Raw(Live(kId)); }, kId},
    {"a HEIC's Exif item",
     [] {
       test::HeifExif exif;
       exif.tiff = test::PhotoTiff(Live(kId), test::ByteOrder::Big);
       return test::HeifFile(exif);
     },
     kId},
    {"a short identifier inside the entry", [] { return test::Photo(Live("abc")); }, "abc"},
    {"no maker note", [] { return test::Photo(Live("")); }, ""},
    {"another maker's note",
     [] { return JpegWithNote(std::string("Nikon\0\2\0\0\0MM", 12) + std::string(40, '\0')); }, ""},
    {"an Apple note without the tag",
     [] {
       return JpegWithNote(std::string("Apple iOS\0\0\1MM", 14) + test::Be16(1) +
                           test::Be16(0x0008) + test::Be16(3) + test::Be32(1) + test::Be32(0) +
                           test::Be32(0));
     },
     ""},
    {"an Apple note cut short",
     [] { return JpegWithNote(test::AppleMakerNote(kId).substr(0, 20)); }, ""},
    {"an entry whose text lies past the end",
     [] {
       std::string note = test::AppleMakerNote(kId);
       note.replace(14 + 2 + 8, 4, test::Be32(0x7FFFFF00));
       return JpegWithNote(note);
     },
     ""},
    {"a clip's metadata key",
     [] {
       test::Mp4Spec clip;
       clip.created = test::MovieSeconds(2023, 1, 1, 12, 0, 0);
       clip.appleContentIdentifier = kId;
       return test::Mp4File(clip);
     },
     kId},
    {"a clip without it",
     [] {
       test::Mp4Spec clip;
       clip.appleModel = "iPhone 15";
       return test::Mp4File(clip);
     },
     ""},
};
INSTANTIATE_TEST_SUITE_P(Places, ContentIdentifier, ::testing::ValuesIn(kCases));

}  // namespace
