// Sub-seconds: SubSecTimeOriginal belongs to DateTimeOriginal, SubSecTime to DateTime,
// in every container that carries Exif; the format's zzz shows them.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/DateTime.h"
#include "readers/ExifFile.h"
#include "readers/OpenReader.h"
#include "tests/support/IsoBuilder.h"
#include "tests/support/MediaBuilders.h"
#include "tests/support/TempDir.h"
#include "tests/support/TiffBuilder.h"

namespace {

std::string Clock(TDateTime value) {
  const platform::CalendarTime t = platform::DecodeDateTime(value);
  char text[16];
  std::snprintf(text, sizeof text, "%02d%02d%02d.%03d", t.hour, t.minute, t.second, t.millisecond);
  return text;
}

// The two dates, as hhnnss.zzz, that the reader of these bytes finds.
std::string Times(const std::string& bytes) {
  test::TempDir dir;
  test::WriteBytes(dir / "file", bytes);
  const auto reader = OpenReader(dir / "file");
  return Clock(reader->GetDateTimeOriginal()) + " " + Clock(reader->GetDateTime());
}

std::string Jpeg(const std::string& subSecOriginal, const std::string& subSec) {
  test::TiffBuilder tiff(test::ByteOrder::Little);
  tiff.Ascii(0x0132, "2023:01:01 10:00:00").ExifIfd().Ascii(0x9003, "2023:01:01 09:00:00");
  if (!subSec.empty()) tiff.Ascii(0x9290, subSec);
  if (!subSecOriginal.empty()) tiff.Ascii(0x9291, subSecOriginal);
  return test::JpegFile(test::ExifApp1(tiff.Bytes()));
}

}  // namespace

TEST(SubSeconds, TheDigitsAreADecimalFractionOfTheSecond) {
  const struct {
    const char* text;
    int milliseconds;
  } cases[] = {
      {"49", 490}, {"023", 23}, {"796940", 796}, {"5", 500},  {"999999", 999}, {" 12 ", 120},
      {"000", 0},  {"", 0},     {"abc", 0},      {"7x", 700}, {"-5", 0},       {"  ", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.milliseconds, tExifFile::SubSecondMilliseconds(c.text)) << '"' << c.text << '"';
}

TEST(SubSeconds, EachDateTakesItsOwnTagInEveryExifContainer) {
  EXPECT_EQ("090000.490 100000.023", Times(Jpeg("49", "023")));
  EXPECT_EQ("090000.796 100000.000", Times(Jpeg("796940", "")));
  EXPECT_EQ("090000.000 100000.000", Times(Jpeg("", ""))) << "no tags: whole seconds";
  // A raw keeps the Exif IFD in the file itself.
  test::TiffBuilder raw(test::ByteOrder::Big);
  raw.Ascii(0x0132, "2023:01:01 10:00:00")
      .ExifIfd()
      .Ascii(0x9003, "2023:01:01 09:00:00")
      .Ascii(0x9290, "5")
      .Ascii(0x9291, "25");
  EXPECT_EQ("090000.250 100000.500", Times(raw.Bytes()));
  // A CR3 keeps DateTime in CMT1 and both sub-second tags in CMT2.
  test::TiffBuilder cmt1(test::ByteOrder::Little), cmt2(test::ByteOrder::Little);
  cmt1.Ascii(0x0132, "2023:01:01 10:00:00");
  cmt2.Ascii(0x9003, "2023:01:01 09:00:00").Ascii(0x9290, "75").Ascii(0x9291, "125");
  EXPECT_EQ("090000.125 100000.750", Times(test::Cr3File(cmt1.Bytes(), cmt2.Bytes())));
}

// The sub-second tag never makes a date of a file without one.
TEST(SubSeconds, NoDateStaysNoDate) {
  test::TiffBuilder tiff(test::ByteOrder::Little);
  tiff.Ascii(0x0110, "X").ExifIfd().Ascii(0x9291, "49");
  test::TempDir dir;
  test::WriteBytes(dir / "file", test::JpegFile(test::ExifApp1(tiff.Bytes())));
  EXPECT_EQ(0, OpenReader(dir / "file")->GetDateTimeOriginal());
}
