#include "tests/support/ZoneScope.h"

#include <cstdlib>
#include <ctime>

namespace test {

#ifdef _WIN32

ZoneScope::ZoneScope(const std::string& zone) {
  const char* current = std::getenv("TZ");
  active_ = current != nullptr && zone == current;
}

ZoneScope::~ZoneScope() = default;

#else

ZoneScope::ZoneScope(const std::string& zone) {
  const char* current = std::getenv("TZ");
  hadZone_ = current != nullptr;
  if (hadZone_) saved_ = current;
  active_ = setenv("TZ", zone.c_str(), 1) == 0;
  tzset();
}

ZoneScope::~ZoneScope() {
  if (hadZone_)
    setenv("TZ", saved_.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

#endif

}  // namespace test
