#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Registry.h"
#include "tests/support/SettingsSandbox.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(RegistryPosix, ValuesLiveInARegeditFileInTheConfigFolder) {
  test::SettingsSandbox sandbox;  // points STAMPEL_CONFIG_DIR at a fresh folder
  auto key = platform::RegistryKey::OpenCurrentUser("Software\\Stampel");
  ASSERT_TRUE(key);
  EXPECT_TRUE(Names(sandbox.ConfigFolder()).empty());  // opening writes nothing
  ASSERT_TRUE(key->WriteString("LastPath", "/photos/*.jpg"));
  ASSERT_TRUE(key->WriteNumber("LastOrgDateTime", 1));
  EXPECT_EQ((std::vector<std::string>{"settings.reg"}), Names(sandbox.ConfigFolder()));
  EXPECT_EQ(
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Stampel]\n\"LastPath\"=\"/photos/*.jpg\"\n"
      "\"LastOrgDateTime\"=dword:00000001\n",
      test::ReadBytes(sandbox.ConfigFolder() + "settings.reg"));
  auto again = platform::RegistryKey::OpenCurrentUser("Software\\Stampel");
  platform::RegistryValue value;
  ASSERT_TRUE(again->Query("lastpath", value));
  EXPECT_EQ("/photos/*.jpg", value.text);
}

TEST(RegistryPosix, AnUnreadableFileIsKeptBeforeAnythingIsWritten) {
  test::SettingsSandbox sandbox;
  const std::string file = sandbox.ConfigFolder() + "settings.reg";
  test::WriteBytes(file, "my own notes, not a registry file\n");
  auto key = platform::RegistryKey::OpenCurrentUser("Software\\Stampel");
  ASSERT_TRUE(key);
  platform::RegistryValue value;
  EXPECT_FALSE(key->Query("LastPath", value));
  EXPECT_EQ("my own notes, not a registry file\n", test::ReadBytes(file));  // reading changes nothing

  ASSERT_TRUE(key->WriteString("LastPath", "*.jpg"));
  const std::vector<std::string> names = Names(sandbox.ConfigFolder());
  ASSERT_EQ(2u, names.size());
  EXPECT_EQ("settings.reg", names[0]);
  EXPECT_EQ(0u, names[1].find("settings.reg.unreadable-"));
  EXPECT_EQ("my own notes, not a registry file\n", test::ReadBytes(sandbox.ConfigFolder() + names[1]));
  ASSERT_TRUE(key->WriteString("LastFormat", "yyyy"));
  EXPECT_EQ(2u, Names(sandbox.ConfigFolder()).size());  // set aside once only
}
