#include "engine/group/Grouping.h"

#include <algorithm>
#include <cmath>

#include "platform/AsciiCase.h"

int LeaderRank(tFileKind kind, std::string_view name) {
  switch (kind) {
    case fkRAW0:
    case fkRAW1: {
      const std::string_view extension = name.substr(std::min(name.rfind('.'), name.size()));
      const bool tiff = platform::SameIgnoringCase(extension, ".tif") ||
                        platform::SameIgnoringCase(extension, ".tiff");
      return tiff ? 3 : 0;
    }
    case fkCR3:
      return 0;
    case fkHEIF:
      return 1;
    case fkJPEG:
      return 2;
    case fkPNG:
    case fkWEBP:
      return 3;
    case fkMP4:
    case fkAVI:
      return 4;
    case fkWAVE:
    case fkUnknown:
      break;
  }
  return 5;
}

bool SameShot(TDateTime a, TDateTime b) {
  // A millisecond of slack: dates are fractions of a day.
  return std::fabs(a - b) * 86400.0 <= kSameShotSeconds + 0.001;
}

std::vector<std::vector<tShot>> FormGroups(std::vector<tShot> shots) {
  std::stable_sort(shots.begin(), shots.end(), [](const tShot& a, const tShot& b) {
    return a.Rank != b.Rank ? a.Rank < b.Rank : a.Name < b.Name;
  });
  std::vector<std::vector<tShot>> groups;
  std::vector<bool> taken(shots.size());
  for (size_t lead = 0; lead < shots.size(); ++lead) {
    if (taken[lead]) continue;
    taken[lead] = true;
    std::vector<tShot> group = {shots[lead]};
    for (size_t other = lead + 1; other < shots.size(); ++other) {
      if (taken[other] || !SameShot(shots[lead].Moment, shots[other].Moment)) continue;
      const bool twin = std::any_of(group.begin(), group.end(), [&](const tShot& member) {
        return platform::SameIgnoringCase(member.Name, shots[other].Name);
      });
      if (twin) continue;
      taken[other] = true;
      group.push_back(shots[other]);
    }
    groups.push_back(std::move(group));
  }
  return groups;
}
