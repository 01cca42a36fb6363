#include "platform/Number.h"

#include <gtest/gtest.h>

TEST(Number, ReadsIntegersAsTheSwitchesAndDateFieldsNeedThem) {
  struct Case {
    const char* text;
    bool ok;
    int32_t value;
  };
  const Case cases[] = {
      {"5", true, 5},          {"  42", true, 42},        {"-7", true, -7},
      {"+7", true, 7},         {"$1F", true, 31},         {"x10", true, 16},
      {"0X10", true, 16},      {"$FFFFFFFF", true, -1},   {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},             {"2147483648", false, 0},
      {"", false, 0},          {" ", false, 0},           {"-", false, 0},
      {"$", false, 0},         {"5 ", false, 0},          {"x", false, 0},
      {"1.5", false, 0},       {"$100000000", false, 0},  {"12a", false, 0},
  };
  for (const Case& c : cases) {
    int32_t value = 12345;
    EXPECT_EQ(c.ok, platform::TryStrToInt(c.text, value)) << '"' << c.text << '"';
    EXPECT_EQ(c.ok ? c.value : 12345, value) << '"' << c.text << '"';
  }
}
