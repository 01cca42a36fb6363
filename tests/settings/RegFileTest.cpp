#include "platform/RegFile.h"

#include <gtest/gtest.h>

using platform::RegFile;
using platform::RegistryValueType;

namespace {
const char kKey[] = "HKEY_CURRENT_USER\\Software\\Stampel";
}

TEST(RegFile, ReadsWhatItWrites) {
  RegFile file;
  platform::RegistryValue text;
  text.type = RegistryValueType::String;
  text.text = "C:\\Photos\\\"odd\" caf\xC3\xA9\\*.jpg";
  file.Set("LastPath", text);
  platform::RegistryValue number;
  number.type = RegistryValueType::Number;
  number.number = 0xFFFFFFFF;
  file.Set("LastFormatSelection", number);

  RegFile again;
  ASSERT_TRUE(again.Parse(file.Serialize(kKey), kKey));
  ASSERT_EQ(2u, again.Entries().size());
  EXPECT_EQ(text.text, again.Find("lastpath")->value.text);  // names ignore letter case
  EXPECT_EQ(RegistryValueType::Number, again.Find("LastFormatSelection")->value.type);
  EXPECT_EQ(0xFFFFFFFFu, again.Find("LastFormatSelection")->value.number);
}

TEST(RegFile, ReadsRegeditTypesAndKeepsUnknownOnesAsTheyWere) {
  const std::string text =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Stampel]\r\n"
      "; a comment\r\n"
      "\"Expand\"=hex(2):25,54,45,4d,50,25,00\r\n"
      "\"Binary\"=hex:01,02,\\\r\n  03\r\n"
      "\"Gone\"=-\r\n"
      "\"Twice\"=\"first\"\r\n"
      "\"Twice\"=\"second\"\r\n"
      "@=\"default\"\r\n";
  RegFile file;
  ASSERT_TRUE(file.Parse(text, kKey));
  EXPECT_EQ(RegistryValueType::ExpandString, file.Find("Expand")->value.type);
  EXPECT_EQ("%TEMP%", file.Find("Expand")->value.text);
  EXPECT_EQ(RegistryValueType::Other, file.Find("Binary")->value.type);
  EXPECT_EQ(nullptr, file.Find("Gone"));
  EXPECT_EQ("second", file.Find("Twice")->value.text);
  EXPECT_EQ("default", file.Find("")->value.text);
  RegFile again;
  ASSERT_TRUE(again.Parse(file.Serialize(kKey), kKey));
  EXPECT_EQ(file.Find("Binary")->raw, again.Find("Binary")->raw);
  EXPECT_EQ("%TEMP%", again.Find("Expand")->value.text);
}

TEST(RegFile, RefusesWhatItCannotUnderstand) {
  const char* broken[] = {
      "not a registry file",
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"a\"=\"b\"\n",
      "REGEDIT4\n\"outside\"=\"key\"\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Stampel]\n\"a\"=\"unterminated\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Stampel]\n\"a\"=dword:123456789\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Stampel]\n\"a\"=hex:zz\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Stampel]\nLastPath=x\n",
  };
  for (const char* text : broken) {
    RegFile file;
    EXPECT_FALSE(file.Parse(text, kKey)) << text;
    EXPECT_TRUE(file.Entries().empty());
  }
  RegFile empty;
  EXPECT_TRUE(empty.Parse("", kKey));
}
