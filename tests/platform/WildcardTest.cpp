#include "platform/Wildcard.h"

#include <gtest/gtest.h>

TEST(Wildcard, MatchesAsWindowsDoes) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  };
  const Case cases[] = {
      {"IMG_0001.JPG", "*.jpg", true},
      {"img_0001.jpg", "*.JPG", true},
      {"IMG_0001.JPEG", "*.jpg", false},
      {"photo.jpg.bak", "*.jpg", false},
      {"a.jpg", "?.jpg", true},
      {"ab.jpg", "?.jpg", false},
      {"IMG_0001.JPG", "IMG_*.JPG", true},
      {"DSC_0001.JPG", "IMG_*.JPG", false},
      {"README", "*.*", true},
      {"README", "*.", true},
      {"a.b", "*.", false},
      {"anything", "*", true},
      {"exact.nef", "exact.nef", true},
      {"exact.nef", "exac.nef", false},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
      {"x.tar.gz", "*.*.*", true},
      {"", "*", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.matches, platform::MatchesWildcard(c.name, c.pattern)) << c.name << " ~ " << c.pattern;
}
