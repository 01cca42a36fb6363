#include <gtest/gtest.h>

#include <functional>

#include "settings/SettingsStore.h"
#include "settings/StartupSettings.h"
#include "settings/Translations.h"
#include "tests/support/SettingsSandbox.h"

using test::SettingsSandbox;

TEST(SettingsStore, TypedReadsFollowTheValueModel) {
  SettingsSandbox sandbox;
  tSettingsStore& store = SettingsStore;
  ASSERT_TRUE(store.IsOpen());
  EXPECT_EQ("", store.ReadStringValue("Absent"));
  EXPECT_THROW(store.ReadIntegerValue("Absent"), ERegistryException);
  EXPECT_THROW(store.ReadBoolValue("Absent"), ERegistryException);

  store.WriteStringValue("Text", "*.nef");
  store.WriteIntegerValue("Number", -5);
  store.WriteBoolValue("Flag", true);
  EXPECT_EQ("*.nef", store.ReadStringValue("Text"));
  EXPECT_EQ(-5, store.ReadIntegerValue("Number"));
  EXPECT_TRUE(store.ReadBoolValue("Flag"));
  EXPECT_TRUE(store.ReadBoolValue("Number"));  // any non-zero value is true
  EXPECT_THROW(store.ReadStringValue("Number"), ERegistryException);
  EXPECT_THROW(store.ReadIntegerValue("Text"), ERegistryException);

  EXPECT_TRUE(store.DeleteValue("Text"));
  EXPECT_FALSE(store.DeleteValue("Text"));
  EXPECT_EQ("", store.ReadStringValue("Text"));
}

TEST(SettingsStore, WritingWithoutAnOpenKeyFailsNamingTheValue) {
  tSettingsStore closed;
  EXPECT_FALSE(closed.IsOpen());
  EXPECT_EQ("", closed.ReadStringValue("LastPath"));
  try {
    closed.WriteStringValue("LastPath", "x");
    FAIL() << "no exception";
  } catch (const ERegistryException& error) {
    EXPECT_NE(std::string::npos, std::string(error.what()).find("'LastPath'"));
  }
  EXPECT_FALSE(closed.DeleteValue("LastPath"));
}

TEST(Translations, LoadClosesGapsAndStopsAtAWrongType) {
  SettingsSandbox sandbox;
  SettingsStore.WriteStringValue("ModelTranslation0", "A=1");
  SettingsStore.WriteStringValue("ModelTranslation2", "B=2");
  SettingsStore.WriteStringValue("ModelTranslation5", "C=3");
  SettingsStore.WriteStringValue("OrientationPortrait", "");
  SettingsStore.WriteStringValue("OrientationLandscape", "quer");
  sandbox.Reload();
  EXPECT_EQ((std::vector<std::string>{"A=1", "B=2", "C=3"}), ModelTranslations);
  EXPECT_EQ("quer", LandscapeWord);
  EXPECT_EQ("P", PortraitWord);

  SettingsStore.WriteIntegerValue("ModelTranslation3", 7);
  sandbox.Reload();
  EXPECT_EQ((std::vector<std::string>{"A=1", "B=2"}), ModelTranslations);
}

TEST(Translations, AWordOfAnotherTypeKeepsItsDefault) {
  SettingsSandbox sandbox;
  SettingsStore.WriteIntegerValue("OrientationLandscape", 3);
  sandbox.Reload();
  EXPECT_EQ("L", LandscapeWord);
}

TEST(Translations, StoreWritesEveryLineAndDeletesTheRest) {
  SettingsSandbox sandbox;
  for (int n = 0; n <= 64; ++n)
    SettingsStore.WriteStringValue("ModelTranslation" + std::to_string(n),
                                   "old=" + std::to_string(n));
  StoreTranslations("quer", "hoch", {"X=1", "", "=", "Y=2"});
  EXPECT_EQ("quer", LandscapeWord);
  EXPECT_EQ("hoch", PortraitWord);
  EXPECT_EQ((std::vector<std::string>{"X=1", "", "=", "Y=2"}), ModelTranslations);
  EXPECT_EQ("X=1", SettingsStore.ReadStringValue("ModelTranslation0"));
  // Emptied lines do not come back from their old values.
  EXPECT_EQ("", SettingsStore.ReadStringValue("ModelTranslation1"));
  EXPECT_EQ("", SettingsStore.ReadStringValue("ModelTranslation2"));
  EXPECT_EQ("Y=2", SettingsStore.ReadStringValue("ModelTranslation3"));
  for (int n = 4; n <= 64; ++n)
    EXPECT_EQ("", SettingsStore.ReadStringValue("ModelTranslation" + std::to_string(n))) << n;
  sandbox.Reload();
  EXPECT_EQ((std::vector<std::string>{"X=1", "Y=2"}), ModelTranslations);
  EXPECT_EQ("hoch", PortraitWord);
}

TEST(Translations, StoreWithoutAKeyChangesOnlyMemory) {
  SettingsSandbox sandbox;
  SettingsStore.Close();
  StoreTranslations("l", "p", {"M=N"});
  EXPECT_EQ("p", PortraitWord);
  EXPECT_EQ((std::vector<std::string>{"M=N"}), ModelTranslations);
}

TEST(ReaderSettings, VideoTimesAreLocalIsReadAsANumberAndDefaultsToFalse) {
  SettingsSandbox sandbox;
  EXPECT_FALSE(LoadVideoTimesAreLocal(SettingsStore));
  struct {
    const char* name;
    std::function<void()> write;
    bool expected;
  } cases[] = {
      {"one", [] { SettingsStore.WriteIntegerValue("VideoTimesAreLocal", 1); }, true},
      {"zero", [] { SettingsStore.WriteIntegerValue("VideoTimesAreLocal", 0); }, false},
      {"text", [] { SettingsStore.WriteStringValue("VideoTimesAreLocal", "1"); }, false},
      {"absent", [] { SettingsStore.DeleteValue("VideoTimesAreLocal"); }, false},
  };
  for (const auto& c : cases) {
    c.write();
    sandbox.Reload();
    EXPECT_EQ(c.expected, LoadVideoTimesAreLocal(SettingsStore)) << c.name;
  }
  CloseSettings();
  EXPECT_FALSE(LoadVideoTimesAreLocal(SettingsStore)) << "no key, no setting";
}

TEST(CompanionSettings, CompanionsIsOnUnlessTheNumberIsZero) {
  SettingsSandbox sandbox;
  EXPECT_TRUE(LoadCompanions(SettingsStore));
  struct {
    const char* name;
    std::function<void()> write;
    bool expected;
  } cases[] = {
      {"zero", [] { SettingsStore.WriteIntegerValue("Companions", 0); }, false},
      {"one", [] { SettingsStore.WriteIntegerValue("Companions", 1); }, true},
      {"text", [] { SettingsStore.WriteStringValue("Companions", "0"); }, true},
      {"absent", [] { SettingsStore.DeleteValue("Companions"); }, true},
  };
  for (const auto& c : cases) {
    c.write();
    sandbox.Reload();
    EXPECT_EQ(c.expected, LoadCompanions(SettingsStore)) << c.name;
  }
  CloseSettings();
  EXPECT_TRUE(LoadCompanions(SettingsStore)) << "no key: the default";
}
