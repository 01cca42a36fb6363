#include <gtest/gtest.h>

#include <memory>

#include "readers/Mp4File.h"
#include "readers/OpenReader.h"
#include "tests/support/IsoBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/support/ZoneScope.h"

using test::MovieSeconds;
using test::Mp4Spec;
using test::TempDir;

namespace {

TDateTime At(int year, int month, int day, int hour, int minute, int second) {
  return platform::EncodeDateTime({year, month, day, hour, minute, second, 0});
}

std::unique_ptr<tMP4File> Open(const TempDir& dir, const Mp4Spec& spec, bool local = false) {
  test::WriteBytes(dir / "clip.mp4", test::Mp4File(spec));
  return std::make_unique<tMP4File>(dir / "clip.mp4", local);
}

}  // namespace

TEST(Mp4File, MovieTimesCountFrom1904AndZeroIsNoDate) {
  EXPECT_EQ(0, tMP4File::FromMovieTime(0));
  EXPECT_EQ(At(2024, 7, 15, 12, 0, 0),
            tMP4File::FromMovieTime(MovieSeconds(2024, 7, 15, 12, 0, 0)));
  EXPECT_EQ(At(1970, 1, 1, 0, 0, 0), tMP4File::FromMovieTime(tMP4File::kSecondsTo1970));
  // Below 1970 in the movie time base: a time a camera counted from 1970 by mistake.
  EXPECT_EQ(At(2023, 11, 14, 22, 13, 20), tMP4File::FromMovieTime(1700000000));
  EXPECT_EQ(At(1970, 1, 1, 0, 0, 1), tMP4File::FromMovieTime(1));
  // 64-bit times beyond the year 9999 are no date.
  EXPECT_EQ(0, tMP4File::FromMovieTime(UINT64_C(0xFFFFFFFFFFFFFFFF)));
}

TEST(Mp4File, MovieHeaderTimeIsUtcAndBecomesTheLocalTimeOfThatDay) {
  test::ZoneScope zone(test::kTestZone);
  ASSERT_TRUE(zone.Active()) << "needs TZ=" << test::kTestZone;
  TempDir dir;
  for (int version : {0, 1}) {
    Mp4Spec spec;
    spec.mvhdVersion = version;
    spec.created = MovieSeconds(2024, 1, 15, 12, 0, 0);
    EXPECT_EQ(At(2024, 1, 15, 7, 0, 0), Open(dir, spec)->GetDateTime()) << version;
    spec.created = MovieSeconds(2024, 7, 15, 12, 0, 0);  // daylight saving time
    auto reader = Open(dir, spec);
    EXPECT_EQ(At(2024, 7, 15, 8, 0, 0), reader->GetDateTime()) << version;
    EXPECT_EQ(reader->GetDateTime(), reader->GetDateTimeOriginal());
  }
  Mp4Spec none;
  EXPECT_EQ(0, Open(dir, none)->GetDateTime());
}

TEST(Mp4File, VideoTimesAreLocalTakesTheMovieTimeAsItStands) {
  test::ZoneScope zone(test::kTestZone);
  ASSERT_TRUE(zone.Active()) << "needs TZ=" << test::kTestZone;
  TempDir dir;
  Mp4Spec spec;
  spec.created = MovieSeconds(2024, 7, 15, 12, 0, 0);
  EXPECT_EQ(At(2024, 7, 15, 12, 0, 0), Open(dir, spec, true)->GetDateTime());
  // Apple's date is wall-clock time either way.
  spec.appleDate = "2024-07-15T14:00:00+0200";
  EXPECT_EQ(At(2024, 7, 15, 14, 0, 0), Open(dir, spec, true)->GetDateTime());
}

TEST(Mp4File, ApplesCreationDateWinsAsWrittenWithAnyOffset) {
  test::ZoneScope zone(test::kTestZone);
  ASSERT_TRUE(zone.Active()) << "needs TZ=" << test::kTestZone;
  TempDir dir;
  Mp4Spec spec;
  spec.created = MovieSeconds(2025, 7, 11, 15, 44, 38);
  for (const char* date : {"2025-07-11T09:44:38-0600", "2025-07-11T09:44:38-06:00",
                           "2025-07-11T09:44:38+0530", "2025-07-11T09:44:38Z"}) {
    spec.appleDate = date;
    EXPECT_EQ(At(2025, 7, 11, 9, 44, 38), Open(dir, spec)->GetDateTime()) << date;
  }
  spec.metaInUdta = true;  // moov/udta/meta, a full box
  EXPECT_EQ(At(2025, 7, 11, 9, 44, 38), Open(dir, spec)->GetDateTime());
  // A text that holds no date leaves the movie header's time.
  spec.appleDate = "unknown";
  EXPECT_EQ(At(2025, 7, 11, 11, 44, 38), Open(dir, spec)->GetDateTime());
}

TEST(Mp4File, ModelFromApplesMetadata) {
  TempDir dir;
  Mp4Spec spec;
  EXPECT_EQ("", Open(dir, spec)->GetModel());
  spec.appleModel = " iPhone 15 Pro\n";
  EXPECT_EQ("iPhone 15 Pro", Open(dir, spec)->GetModel());
  spec.metaInUdta = true;
  EXPECT_EQ("iPhone 15 Pro", Open(dir, spec)->GetModel());
}

TEST(Mp4File, SizeOfTheFirstVideoTrack) {
  TempDir dir;
  Mp4Spec spec;
  EXPECT_EQ((tImageSize{0, 0}), Open(dir, spec)->GetImageSize());
  spec.tracks = {{"soun", 0, 0, 0}, {"vide", 1080, 1920, 1}, {"vide", 640, 360, 0}};
  auto reader = Open(dir, spec);
  EXPECT_EQ((tImageSize{1080, 1920}), reader->GetImageSize());
  EXPECT_TRUE(reader->IsPortrait());
  spec.tracks = {{"soun", 0, 0, 0}, {"meta", 0, 0, 0}};
  EXPECT_EQ((tImageSize{0, 0}), Open(dir, spec)->GetImageSize());
}

TEST(Mp4File, MoovAfterLargeMediaDataAndSpecialBoxSizes) {
  test::ZoneScope zone(test::kTestZone);
  ASSERT_TRUE(zone.Active()) << "needs TZ=" << test::kTestZone;
  Mp4Spec spec;
  spec.created = MovieSeconds(2024, 7, 15, 12, 0, 0);
  spec.tracks = {{"vide", 1920, 1080, 0}};
  spec.appleModel = "Pixel 8";
  spec.mediaBytes = 6 << 20;
  const std::string atEnd = test::Mp4File(spec);
  // The same moov after a media data box with a 64-bit size, and as a last box of size 0.
  spec.moovAtEnd = false;
  spec.mediaBytes = 16;
  const std::string plain = test::Mp4File(spec);
  const size_t moov = plain.find("moov") - 4;
  const std::string movie = plain.substr(moov, plain.find("mdat") - 4 - moov);
  const std::string ftyp = plain.substr(0, moov);
  const std::string large = ftyp + test::LargeBox("mdat", std::string(100000, '\1')) + movie;
  const std::string toTheEnd =
      ftyp + test::Box("mdat", "x") + test::BoxSized("moov", 0, movie.substr(8));
  TempDir dir;
  for (const std::string& bytes : {atEnd, large, toTheEnd}) {
    test::WriteBytes(dir / "f", bytes);
    const std::unique_ptr<tBaseFile> reader = OpenReader(dir / "f");
    EXPECT_EQ(fkMP4, reader->FileKind);
    EXPECT_EQ(At(2024, 7, 15, 8, 0, 0), reader->GetDateTime());
    EXPECT_EQ("Pixel 8", reader->GetModel());
    EXPECT_EQ((tImageSize{1920, 1080}), reader->GetImageSize());
  }
}

TEST(Mp4File, QuickTimeMoviesWithoutAFileTypeBox) {
  TempDir dir;
  Mp4Spec spec;
  spec.brand = "";
  spec.tracks = {{"vide", 320, 240, 0}};
  for (bool atEnd : {true, false}) {
    spec.moovAtEnd = atEnd;  // starts with "wide" or with "moov"
    test::WriteBytes(dir / "f.mov", test::Mp4File(spec));
    EXPECT_EQ(fkMP4, tBaseFile::GetFileKind(dir / "f.mov"));
    EXPECT_EQ((tImageSize{320, 240}), tMP4File(dir / "f.mov").GetImageSize());
  }
}

TEST(Mp4File, RaisesWithoutAMovieBox) {
  TempDir dir;
  test::WriteBytes(dir / "f.mp4", test::Ftyp("isom") + test::Box("mdat", "frames"));
  EXPECT_THROW(tMP4File reader(dir / "f.mp4"), EExifException);
  // A moov that lies only inside another box is not the movie.
  test::WriteBytes(dir / "f.mp4", test::Ftyp("isom") + test::Box("free", test::Box("moov", "")));
  EXPECT_THROW(tMP4File reader(dir / "f.mp4"), EExifException);
}
