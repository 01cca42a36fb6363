#include <gtest/gtest.h>

#include "engine/format/FormatTimestamp.h"
#include "platform/DateTime.h"
#include "ui/FormatPreview.h"

namespace {

using ui::tMainChoices;

TDateTime At(int y, int mo, int d, int h, int mi, int s) {
  return platform::EncodeDateTime({y, mo, d, h, mi, s, 0});
}

tMainChoices DesignedStart() {
  tMainChoices c;
  c.FormatEdit = "yyyy-mm-dd-hh-nn-ss_";
  c.FilePathEdit = "*.jpg";
  return c;
}

TEST(SampleFormats, CaptionsAndTheTextsTheyPutIntoTheFormatBox) {
  const std::pair<const char*, const char*> expected[] = {
      {"yyyy-mm-dd-hh-nn-ss_", "yyyy-mm-dd-hh-nn-ss_"},
      {"yy-mm-dd-hh-nn-ss_", "yy-mm-dd-hh-nn-ss_"},
      {"yyyy-mm-dd_", "yyyy-mm-dd_"},
      {"hh-nn-ss_", "hh-nn-ss_"},
      {"Model_", "'Model'_"},
      {"Orient_", "'Orient'_"},
      {"yyyymmdd_hhnnss_", "yyyymmdd_hhnnss_"},
      {"yymmdd_hhnnss_", "yymmdd_hhnnss_"},
      {"yyyymmdd_", "yyyymmdd_"},
      {"hhnnss_", "hhnnss_"},
      {"Size_", "'Size'_"},
  };
  ASSERT_EQ(std::size(expected), ui::kSampleFormats.size());
  for (size_t i = 0; i < ui::kSampleFormats.size(); ++i) {
    EXPECT_STREQ(expected[i].first, ui::kSampleFormats[i]) << i;
    EXPECT_EQ(expected[i].second, ui::SampleFormatText(ui::kSampleFormats[i])) << i;
  }
}

TEST(SampleFormats, AmpersandsGoAndKeywordsAreFoundInAnyLetterCase) {
  EXPECT_EQ("'Model'_", ui::SampleFormatText("&model_"));
  EXPECT_EQ("'Size'_", ui::SampleFormatText("SI&ZE_"));
  EXPECT_EQ("'Orient'_", ui::SampleFormatText("oRiEnT_"));
  EXPECT_EQ("yyyy_", ui::SampleFormatText("yy&yy_"));
  // Only the whole caption is a keyword.
  EXPECT_EQ("Model", ui::SampleFormatText("Model"));
}

TEST(BatchLine, DesignedStartValues) {
  EXPECT_EQ("/F:\"yyyy-mm-dd-hh-nn-ss_\" *.jpg /O /S", ui::BatchLine(DesignedStart()));
}

TEST(BatchLine, PiecesFollowInTheFixedOrderWhateverIsOn) {
  tMainChoices c = DesignedStart();
  c.FileChk = c.DelOrgChk = c.FileNoChk = c.OverWrtChk = c.CopyChk = c.SubDirChk = true;
  EXPECT_EQ("/F:\"yyyy-mm-dd-hh-nn-ss_\" *.jpg /O /T /D /N /Y /C /R /S", ui::BatchLine(c));

  tMainChoices d = DesignedStart();
  d.DateGrpBox = 1;
  d.DisplayChk = false;
  EXPECT_EQ("/F:\"yyyy-mm-dd-hh-nn-ss_\" *.jpg", ui::BatchLine(d));
  d.DelOrgChk = true;
  d.FileNoChk = true;
  EXPECT_EQ("/F:\"yyyy-mm-dd-hh-nn-ss_\" *.jpg /D /N", ui::BatchLine(d));
  d.FileChk = true;
  d.OverWrtChk = true;
  EXPECT_EQ("/F:\"yyyy-mm-dd-hh-nn-ss_\" *.jpg /T /D /N /Y", ui::BatchLine(d));
}

TEST(BatchLine, TextsAreTakenAsTheyStand) {
  tMainChoices c;
  c.DisplayChk = false;
  EXPECT_EQ("/F:\"\"  /O", ui::BatchLine(c));
  c.FormatEdit = "'Model'_";
  c.FilePathEdit = "C:\\Fotos 2008\\*.JPG";
  EXPECT_EQ("/F:\"'Model'_\" C:\\Fotos 2008\\*.JPG /O", ui::BatchLine(c));
}

TEST(ExampleName, DesignedStartValues) {
  const TDateTime now = At(2008, 6, 15, 14, 5, 9);
  EXPECT_EQ("2008-06-15-14-05-09_IMGP1234.jpg", ui::ExampleName(DesignedStart(), now));
}

TEST(ExampleName, OldNameCounterAndExtensionFollowTheChoices) {
  const TDateTime now = At(2008, 6, 15, 14, 5, 9);
  tMainChoices c = DesignedStart();
  c.DelOrgChk = true;
  c.FileNoChk = true;
  EXPECT_EQ("2008-06-15-14-05-09_042.jpg", ui::ExampleName(c, now));
  c.DelOrgChk = false;
  EXPECT_EQ("2008-06-15-14-05-09_IMGP1234042.jpg", ui::ExampleName(c, now));

  const std::pair<const char*, const char*> patterns[] = {
      {"*.*", "2008-06-15-14-05-09_IMGP1234042.*"},
      {"photos\\*", "2008-06-15-14-05-09_IMGP1234042"},
      {"a.b\\IMG*", "2008-06-15-14-05-09_IMGP1234042"},
      {"a.b\\IMG*.NEF", "2008-06-15-14-05-09_IMGP1234042.NEF"},
      {"", "2008-06-15-14-05-09_IMGP1234042"},
  };
  for (const auto& [pattern, expected] : patterns) {
    c.FilePathEdit = pattern;
    EXPECT_EQ(expected, ui::ExampleName(c, now)) << pattern;
  }
}

TEST(ExampleName, KeywordsStayAndNothingIsBlanked) {
  const TDateTime now = At(2008, 6, 15, 14, 5, 9);
  tMainChoices c = DesignedStart();
  c.FormatEdit = "'Model'_";
  EXPECT_EQ("Model_IMGP1234.jpg", ui::ExampleName(c, now));
  c.FormatEdit = "yyyy\\mm\\'a:b?'";
  EXPECT_EQ("2008\\06\\a:b?IMGP1234.jpg", ui::ExampleName(c, now));
}

TEST(ExampleName, AnEmptyFormatShowsTheLocalesDateAndTime) {
  const TDateTime now = At(2008, 6, 15, 14, 5, 9);
  tMainChoices c = DesignedStart();
  c.FormatEdit = "";
  EXPECT_EQ(FormatTimestamp("c", now) + "IMGP1234.jpg", ui::ExampleName(c, now));
}

TEST(MenuChecks, MirrorTheControls) {
  tMainChoices c = DesignedStart();
  ui::tMenuChecks expected;
  expected.OrgTSMenu = true;
  expected.DisplayMenu = true;
  EXPECT_EQ(expected, ui::MenuChecksFor(c));

  c.DateGrpBox = 1;
  c.FileNoChk = true;
  c.CopyChk = true;
  c.DisplayChk = false;
  expected = {};
  expected.IntTSMenu = true;
  expected.FileNoMenu = true;
  expected.CopyMenu = true;
  EXPECT_EQ(expected, ui::MenuChecksFor(c));

  c.DateGrpBox = -1;  // nothing selected: neither item is checked
  EXPECT_FALSE(ui::MenuChecksFor(c).OrgTSMenu);
  EXPECT_FALSE(ui::MenuChecksFor(c).IntTSMenu);
}

}  // namespace
