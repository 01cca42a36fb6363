// The date Google Takeout's JSON gives a photo: photoTakenTime, never creationTime.

#include <gtest/gtest.h>

#include <string>

#include "platform/DateTime.h"
#include "readers/TakeoutJson.h"
#include "tests/support/MomentText.h"
#include "tests/support/ZoneScope.h"

TEST(TakeoutJson, ThePhotoTakenTimeInThisComputersTime) {
  test::ZoneScope zone(test::kTestZone);
  ASSERT_TRUE(zone.Active());
  const struct {
    const char* what;
    const char* json;
    const char* moment;
  } cases[] = {
      {"as Takeout writes it (2023-06-01 16:00 UTC, summer in New York)",
       R"({"title": "IMG_1.JPG", "creationTime": {"timestamp": "1700000000", "formatted": "x"},
           "photoTakenTime": {"timestamp": "1685635200", "formatted": "Jun 1, 2023"}})",
       "2023-06-01 12:00:00.000"},
      {"winter time", R"({"photoTakenTime":{"timestamp":"1673366400"}})",
       "2023-01-10 11:00:00.000"},
      {"the timestamp as a number", R"({"photoTakenTime": {"timestamp": 1673366400}})",
       "2023-01-10 11:00:00.000"},
      {"after nested values that hold the key too",
       R"({"people": [{"name": "A", "photoTakenTime": {"timestamp": "1"}}], "geoData": {"a": [1, {"b": null}]},
           "description": "a \"quoted\" } brace", "photoTakenTime": {"formatted": "x", "timestamp": "1673366400"}})",
       "2023-01-10 11:00:00.000"},
      {"zero is unknown", R"({"photoTakenTime": {"timestamp": "0"}})", "none"},
      {"only the upload's time", R"({"creationTime": {"timestamp": "1673366400"}})", "none"},
      {"no number", R"({"photoTakenTime": {"timestamp": "soon"}})", "none"},
      {"a fraction", R"({"photoTakenTime": {"timestamp": "1673366400.5"}})", "none"},
      {"cut short", R"({"title": "x", "photoTakenTime": {"timesta)", "none"},
      {"an escape at the very end", R"({"photoTakenTime": {"timestamp": "1\)", "none"},
      {"no object", R"(["photoTakenTime"])", "none"},
      {"empty", "", "none"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.moment, test::MomentText(TakeoutPhotoTaken(c.json))) << c.what;
}
