#pragma once

#include <string>

namespace test {

// Runs a test in a known time zone. On POSIX it sets TZ for the process and restores it
// afterwards. Windows takes its zone from the system (under Wine: from TZ of the environment
// the program started in), so there it only checks that TZ names the zone; tools/test.sh
// starts the Windows test programs with TZ=America/New_York.
class ZoneScope {
 public:
  explicit ZoneScope(const std::string& zone);
  ~ZoneScope();
  ZoneScope(const ZoneScope&) = delete;
  ZoneScope& operator=(const ZoneScope&) = delete;

  // False when the zone could not be put in place; the test should stop then.
  bool Active() const { return active_; }

 private:
  bool active_ = false;
  bool hadZone_ = false;
  std::string saved_;
};

// The zone the tests are written for: daylight saving, and rules that changed in 2007.
inline constexpr const char* kTestZone = "America/New_York";

}  // namespace test
