#include <gtest/gtest.h>

#include "ui/TranslationGrid.h"

namespace {

using Lines = std::vector<std::string>;
using ui::tKeyCheck;
using ui::tTranslationGrid;

TEST(TranslationGrid, LinesBecomeRowsAndComeBackUnchanged) {
  const Lines lines = {"Canon PowerShot S40=S40", "=", "a=b=c", "NoEquals", "=only value"};
  const tTranslationGrid grid(lines);
  ASSERT_EQ(5u, grid.RowCount());
  EXPECT_EQ("a", grid.Row(2).key);
  EXPECT_EQ("b=c", grid.Row(2).value) << "the key ends at the first \"=\"";
  EXPECT_EQ("NoEquals", grid.Row(3).key);
  EXPECT_EQ("", grid.Row(4).key);
  EXPECT_EQ(lines, grid.Lines()) << "a line without \"=\" stays as it was until edited";
}

TEST(TranslationGrid, AnEmptyListShowsOneRowAndGivesNoLine) {
  tTranslationGrid grid(Lines{});
  EXPECT_EQ(1u, grid.RowCount());
  EXPECT_TRUE(grid.Lines().empty());
  grid.SetValue(0, "x");
  EXPECT_EQ((Lines{"=x"}), grid.Lines());
}

TEST(TranslationGrid, BlankRowsInsideStayBlankRowsAtTheEndGo) {
  tTranslationGrid grid(Lines{"A=1", "C=3"});
  ASSERT_TRUE(grid.InsertRow(1));
  ASSERT_TRUE(grid.InsertRow(grid.RowCount()));
  EXPECT_EQ(4u, grid.RowCount());
  EXPECT_EQ((Lines{"A=1", "=", "C=3"}), grid.Lines());
}

TEST(TranslationGrid, EditingALineWithoutEqualsGivesItOne) {
  tTranslationGrid grid(Lines{"NoEquals"});
  grid.SetValue(0, "N");
  EXPECT_EQ((Lines{"NoEquals=N"}), grid.Lines());
  tTranslationGrid renamed(Lines{"NoEquals"});
  ASSERT_TRUE(renamed.SetKey(0, "Other"));
  EXPECT_EQ((Lines{"Other="}), renamed.Lines());
}

TEST(TranslationGrid, KeysMustBeUniqueAndFreeOfEquals) {
  tTranslationGrid grid(Lines{"NIKON D70=D70", "Canon=C", "=", "="});
  EXPECT_EQ(tKeyCheck::Duplicate, grid.CheckKey(1, "nikon d70")) << "letter case ignored";
  EXPECT_EQ(tKeyCheck::Accepted, grid.CheckKey(0, "Nikon D70")) << "its own row";
  EXPECT_EQ(tKeyCheck::HoldsEquals, grid.CheckKey(1, "a=b"));
  EXPECT_EQ(tKeyCheck::Accepted, grid.CheckKey(2, "")) << "blank rows are no duplicates";
  EXPECT_FALSE(grid.SetKey(1, "NIKON D70"));
  EXPECT_EQ("Canon", grid.Row(1).key);
  EXPECT_NE(
      std::string::npos,
      tTranslationGrid::RefusalMessage(tKeyCheck::Duplicate, "nikon d70").find("\"nikon d70\""));
  EXPECT_NE(std::string::npos,
            tTranslationGrid::RefusalMessage(tKeyCheck::HoldsEquals, "a=b").find("\"a=b\""));
}

TEST(TranslationGrid, SixtyFourRowsAtMost) {
  Lines many;
  for (int i = 0; i < 70; ++i) many.push_back("M" + std::to_string(i) + "=T");
  tTranslationGrid grid(many);
  EXPECT_EQ(64u, grid.RowCount());
  EXPECT_FALSE(grid.CanAddRow());
  EXPECT_FALSE(grid.InsertRow(0));
  grid.DeleteRow(0);
  EXPECT_TRUE(grid.InsertRow(63));
  EXPECT_EQ(64u, grid.RowCount());
}

TEST(TranslationGrid, DeletingTheLastRowLeavesABlankOne) {
  tTranslationGrid grid(Lines{"A=1"});
  grid.DeleteRow(0);
  EXPECT_EQ(1u, grid.RowCount());
  EXPECT_TRUE(grid.Row(0).Blank());
  EXPECT_TRUE(grid.Lines().empty());
  grid.DeleteRow(5);  // out of range: nothing
  EXPECT_EQ(1u, grid.RowCount());
}

TEST(OrientationWord, BlanksAndControlCharactersGiveTheDefault) {
  EXPECT_EQ("L", ui::OrientationWordOnExit("", "L"));
  EXPECT_EQ("L", ui::OrientationWordOnExit(" \t\r\n\x01 ", "L"));
  EXPECT_EQ(" quer ", ui::OrientationWordOnExit(" quer ", "L"));
  EXPECT_EQ("\xE7\xB8\xA6", ui::OrientationWordOnExit("\xE7\xB8\xA6", "P"));
}

}  // namespace
