#include <gtest/gtest.h>

#include "settings/Translations.h"
#include "tests/support/SettingsSandbox.h"
#include "ui/FormatPreview.h"
#include "ui/MainSettings.h"

namespace {

using ui::tMainChoices;

// What a click on a sample does to the choices.
void ChooseSample(tMainChoices& c) {
  c.FormatEdit = ui::SampleFormatText(ui::kSampleFormats[static_cast<size_t>(c.FormatGrpBox)]);
}

tMainChoices Restored() {
  tMainChoices c;
  ui::RestoreMainChoices(SettingsStore, c, ChooseSample);
  return c;
}

TEST(MainSettings, FirstStartGivesTheDefaults) {
  test::SettingsSandbox sandbox;
  const tMainChoices c = Restored();
  EXPECT_EQ("*.jpg", c.FilePathEdit);
  EXPECT_EQ("yyyy-mm-dd-hh-nn-ss_", c.FormatEdit);
  EXPECT_EQ(0, c.FormatGrpBox);
  EXPECT_EQ(0, c.DateGrpBox);
  EXPECT_FALSE(c.FileChk || c.DelOrgChk || c.FileNoChk || c.OverWrtChk || c.CopyChk || c.SubDirChk);
  EXPECT_TRUE(c.DisplayChk);
  EXPECT_TRUE(c.FormatHistory.empty());
  EXPECT_EQ(ui::kDefaultPathPatterns, c.FilepathHistory);
  EXPECT_EQ((std::vector<std::string>{"*.jpg", "*.mrw", "*.nef", "*.pef", "*.raw", "*.avi"}),
            ui::kDefaultPathPatterns);
  EXPECT_EQ(ui::tProgressButtonMode::Auto, ui::RestoreProgressButtonMode(SettingsStore));
}

TEST(MainSettings, WithoutAnOpenStoreNothingIsRestoredOrSaved) {
  tSettingsStore closed;
  tMainChoices c;
  ui::RestoreMainChoices(closed, c, ChooseSample);
  EXPECT_EQ(tMainChoices{}, c) << "both boxes and both lists stay empty";
  EXPECT_EQ(ui::tProgressButtonMode::Auto, ui::RestoreProgressButtonMode(closed));
  ui::SaveMainChoices(closed, c);  // does not throw: nothing is written
}

TEST(MainSettings, SavedChoicesComeBack) {
  test::SettingsSandbox sandbox;
  tMainChoices saved;
  saved.FormatEdit = "yyyy\\mm\\'Model'_";
  saved.FilePathEdit = "Z:\\Fotos\\日本 é\\*.JPG";
  saved.FormatHistory = {"a_", "b_"};
  saved.FilepathHistory = {"x\\*.nef"};
  saved.FormatGrpBox = 7;
  saved.DateGrpBox = 1;
  saved.FileChk = saved.OverWrtChk = saved.SubDirChk = true;
  saved.DisplayChk = false;
  ui::SaveMainChoices(SettingsStore, saved);
  sandbox.Reload();
  EXPECT_EQ(saved, Restored());
}

TEST(MainSettings, SaveWritesTheValuesOfTheRegistryKey) {
  test::SettingsSandbox sandbox;
  tMainChoices c;
  c.FormatEdit = "f";
  c.FilePathEdit = "p";
  c.FormatHistory = {"f", "g"};
  c.FilepathHistory = {"p"};
  c.FormatGrpBox = 3;
  c.DateGrpBox = 1;
  c.DelOrgChk = true;
  ui::SaveMainChoices(SettingsStore, c);
  tSettingsStore& s = SettingsStore;
  EXPECT_EQ("p", s.ReadStringValue("LastPath"));
  EXPECT_EQ("f", s.ReadStringValue("LastFormat"));
  EXPECT_EQ(3, s.ReadIntegerValue("LastFormatSelection"));
  EXPECT_EQ(1, s.ReadIntegerValue("LastOrgDateTime"));
  EXPECT_EQ(1, s.ReadIntegerValue("LastDelOrgName"));
  EXPECT_EQ(0, s.ReadIntegerValue("LastTSMod"));
  EXPECT_EQ(0, s.ReadIntegerValue("LastFileNumber"));
  EXPECT_EQ(0, s.ReadIntegerValue("LastFileCopy"));
  EXPECT_EQ(0, s.ReadIntegerValue("LastSubDirCycle"));
  EXPECT_EQ(0, s.ReadIntegerValue("LastOverwrite"));
  EXPECT_EQ(1, s.ReadIntegerValue("LastProgressDisplay"));
  EXPECT_EQ("f", s.ReadStringValue("FormatHistory0"));
  EXPECT_EQ("g", s.ReadStringValue("FormatHistory1"));
  EXPECT_EQ("p", s.ReadStringValue("FilepathHistory0"));
  EXPECT_THROW(s.ReadIntegerValue("DisplayProgressButton"), ERegistryException)
      << "the mode is written when it is chosen, not here";
}

TEST(MainSettings, GapsAndWrongTypesInASeededKey) {
  test::SettingsSandbox sandbox;
  tSettingsStore& s = SettingsStore;
  s.WriteStringValue("FormatHistory0", "zero");
  s.WriteStringValue("FormatHistory1", "");
  s.WriteStringValue("FormatHistory2", "two");
  s.WriteIntegerValue("FormatHistory3", 3);  // ends the list
  s.WriteStringValue("FormatHistory4", "four");
  s.WriteIntegerValue("FilepathHistory0", 1);  // no entry at all: the default patterns
  s.WriteStringValue("LastFileCopy", "yes");   // not a number: the box keeps its state
  s.WriteIntegerValue("LastOverwrite", 5);     // any non-zero number is true
  s.WriteStringValue("LastFormatSelection", "4");
  s.WriteIntegerValue("LastOrgDateTime", 9);
  s.WriteIntegerValue("LastPath", 1);
  s.WriteStringValue("LastFormat", "");
  s.WriteStringValue("LastProgressDisplay", "0");
  const tMainChoices c = Restored();
  EXPECT_EQ((std::vector<std::string>{"zero", "two"}), c.FormatHistory);
  EXPECT_EQ(ui::kDefaultPathPatterns, c.FilepathHistory);
  EXPECT_FALSE(c.CopyChk);
  EXPECT_TRUE(c.OverWrtChk);
  EXPECT_EQ(0, c.FormatGrpBox);
  EXPECT_EQ(1, c.DateGrpBox) << "brought into range: the last item";
  EXPECT_EQ("*.jpg", c.FilePathEdit);
  EXPECT_EQ("yyyy-mm-dd-hh-nn-ss_", c.FormatEdit);
  EXPECT_TRUE(c.DisplayChk);

  // Saving a two-entry list leaves number 2 as it was: the next start lists it twice.
  tMainChoices next = c;
  ui::SaveMainChoices(s, next);
  EXPECT_EQ("two", s.ReadStringValue("FormatHistory1"));
  EXPECT_EQ("two", s.ReadStringValue("FormatHistory2"));
}

TEST(MainSettings, TheStoredFormatWinsOverTheRestoredSample) {
  test::SettingsSandbox sandbox;
  SettingsStore.WriteIntegerValue("LastFormatSelection", 4);
  SettingsStore.WriteStringValue("LastFormat", "hh_");
  int clicks = 0;
  tMainChoices c;
  ui::RestoreMainChoices(SettingsStore, c, [&](tMainChoices& chosen) {
    ++clicks;
    ChooseSample(chosen);
    EXPECT_EQ("'Model'_", chosen.FormatEdit);
  });
  EXPECT_EQ(1, clicks);
  EXPECT_EQ(4, c.FormatGrpBox);
  EXPECT_EQ("hh_", c.FormatEdit);

  // The same selection as the designed one is no change: no click.
  SettingsStore.WriteIntegerValue("LastFormatSelection", 0);
  tMainChoices d;
  ui::RestoreMainChoices(SettingsStore, d, [&](tMainChoices&) { ++clicks; });
  EXPECT_EQ(1, clicks);
}

TEST(MainSettings, SelectionsOutOfRangeAreClamped) {
  EXPECT_EQ(-1, ui::ClampSelection(-3, 11));
  EXPECT_EQ(0, ui::ClampSelection(0, 11));
  EXPECT_EQ(10, ui::ClampSelection(10, 11));
  EXPECT_EQ(10, ui::ClampSelection(99, 11));
  test::SettingsSandbox sandbox;
  SettingsStore.WriteIntegerValue("LastFormatSelection", -2);
  EXPECT_EQ(-1, Restored().FormatGrpBox);
  SettingsStore.WriteIntegerValue("LastFormatSelection", 12);
  EXPECT_EQ(10, Restored().FormatGrpBox);
}

TEST(MainSettings, ProgressButtonModeFromTheStore) {
  test::SettingsSandbox sandbox;
  const std::pair<int, ui::tProgressButtonMode> cases[] = {
      {1, ui::tProgressButtonMode::ShowAlways}, {2, ui::tProgressButtonMode::HideAlways},
      {3, ui::tProgressButtonMode::Auto},       {0, ui::tProgressButtonMode::Auto},
      {7, ui::tProgressButtonMode::Auto},       {-1, ui::tProgressButtonMode::Auto}};
  for (const auto& [stored, mode] : cases) {
    SettingsStore.WriteIntegerValue("DisplayProgressButton", stored);
    EXPECT_EQ(mode, ui::RestoreProgressButtonMode(SettingsStore)) << stored;
  }
  SettingsStore.WriteStringValue("DisplayProgressButton", "1");
  EXPECT_EQ(ui::tProgressButtonMode::Auto, ui::RestoreProgressButtonMode(SettingsStore));
}

}  // namespace
