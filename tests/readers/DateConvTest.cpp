#include "readers/DateConv.h"

#include <gtest/gtest.h>

namespace {

TDateTime At(int y, int mo, int d, int h, int mi, int s) {
  return platform::EncodeDateTime({y, mo, d, h, mi, s, 0});
}

}  // namespace

TEST(DateConv, ReadsTheFourLayouts) {
  struct Case {
    const char* text;
    TDateTime expected;
  };
  const Case cases[] = {
      // A: Exif, any separators
      {"2008:06:15 14:05:09", At(2008, 6, 15, 14, 5, 9)},
      {"2008-06-15T14:05:09", At(2008, 6, 15, 14, 5, 9)},
      {"2008:06:15 14:05:09\n and more text", At(2008, 6, 15, 14, 5, 9)},
      // B: two characters between date and time
      {"2008:06:15, 14:05", At(2008, 6, 15, 14, 5, 0)},
      // C: RIFF date chunk, day padded with a blank, line break after the year
      {"Sun Jun 15 14:05:09 2008", At(2008, 6, 15, 14, 5, 9)},
      {"Sun Jun  5 14:05:09 2008", At(2008, 6, 5, 14, 5, 9)},
      {"SUN jun 15 14:05:09 2008\n", At(2008, 6, 15, 14, 5, 9)},
      {"Fri Feb 29 10:00:00 2008", At(2008, 2, 29, 10, 0, 0)},
      // D: no seconds, 12-hour markers
      {"2008:06:15 14:05", At(2008, 6, 15, 14, 5, 0)},
      {"2008:06:15 02:05PM", At(2008, 6, 15, 14, 5, 0)},
      {"2008:06:15 02:05pm", At(2008, 6, 15, 14, 5, 0)},
      {"2008:06:15 02:05AM", At(2008, 6, 15, 2, 5, 0)},
      {"2008:06:15 12:05PM", At(2008, 6, 15, 12, 5, 0)},
      {"2008:06:15 12:05AM", At(2008, 6, 15, 0, 5, 0)},
      {"2008:06:15 14:05PM", At(2008, 6, 15, 14, 5, 0)},
      // numbers: leading blanks, hexadecimal
      {" 999:06:15 14:05:09", At(999, 6, 15, 14, 5, 9)},
      {"$7D8:06:15 14:05:09", At(2008, 6, 15, 14, 5, 9)},
      // no date at all
      {"    :  :     :  :  ", 0},
      {"0000:00:00 00:00:00", 0},
      {"2008:06:15", 0},
      {"Sat Feb 29 10:00:00 2007", 0},
      {"Dim Jun 15 14:05:09 2008", At(2008, 6, 15, 14, 5, 9)},  // the day name is never read
      {"Sun Okt 15 14:05:09 2008", 0},
      {"2008:02:30 10:00:00", 0},
      {"2008:06:15 24:00:00", 0},
      {"2008:06:15 14:60:00", 0},
      {"-008:06:15 14:05:09", 0},
      {"2008:6 :15 14:05:09", 0},
      {"", 0},
  };
  for (const Case& c : cases) {
    tDateConv conv(c.text);
    EXPECT_EQ(c.expected, conv.DateTime) << '"' << c.text << '"';
    EXPECT_EQ(c.text, conv.Text);
  }
}

TEST(DateConv, LooksAtTheFirst46CharactersOnly) {
  // Layout C's year lies at 21-24; a year pushed beyond character 46 is never seen.
  tDateConv conv(std::string(50, ' ') + "2008:06:15 14:05:09");
  EXPECT_EQ(0, conv.DateTime);
}

TEST(DateConv, MonthNamesAreEnglishInAnyCase) {
  tDateConv conv;
  EXPECT_EQ(1, conv.MonthFromName("jan"));
  EXPECT_EQ(6, conv.MonthFromName("Jun"));
  EXPECT_EQ(12, conv.MonthFromName("DEC"));
  EXPECT_THROW(conv.MonthFromName("Okt"), EConvertError);
  EXPECT_THROW(conv.MonthFromName("June"), EConvertError);
  try {
    conv.MonthFromName("");
  } catch (const EConvertError& e) {
    EXPECT_STREQ("Invalid Month string", e.what());
  }
}

TEST(DateConv, SetTextReconvertsAndCreateResets) {
  tDateConv conv(At(2001, 1, 1, 0, 0, 0));
  EXPECT_EQ(At(2001, 1, 1, 0, 0, 0), conv.DateTime);
  EXPECT_EQ("", conv.Text);
  conv.SetText("2008:06:15 14:05:09");
  EXPECT_EQ(At(2008, 6, 15, 14, 5, 9), conv.DateTime);
  conv.SetText("garbage");
  EXPECT_EQ(0, conv.DateTime);
  conv.Create(At(2002, 2, 2, 0, 0, 0));
  conv.Create();
  EXPECT_EQ(0, conv.DateTime);
  EXPECT_EQ("", conv.Text);
}

TEST(DateConv, SubclassCreateIsHonouredByTheOtherInitialisers) {
  struct Counting : tDateConv {
    int resets = 0;
    void Create() override {
      ++resets;
      tDateConv::Create();
    }
    using tDateConv::Create;
  };
  Counting conv;
  conv.Create("2008:06:15 14:05:09");
  conv.Create(1.5);
  EXPECT_EQ(2, conv.resets);
  EXPECT_EQ(1.5, conv.DateTime);
}
