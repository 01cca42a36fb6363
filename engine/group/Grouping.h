#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DateTime.h"
#include "readers/BaseFile.h"

// Files of one base whose dates agree are one shot: a raw and its JPEG, a Live Photo's
// still and clip. Such files are named once, after the first of them by kind.

// The order in which a group's files lead it: raw, HEIF, JPEG, other stills, video,
// sound; a TIFF is a still, not a raw, though it reads like one.
int LeaderRank(tFileKind kind, std::string_view name);

// Dates of one shot lie at most this far apart.
inline constexpr double kSameShotSeconds = 2.0;
bool SameShot(TDateTime a, TDateTime b);

// A dated file of one base, as the grouping sees it.
struct tShot {
  uint32_t File = 0;  // the caller's number for it
  std::string Name;
  TDateTime Moment = 0;
  int Rank = 0;
};

// The groups the files form, each leader first: the first file by rank (then by name)
// leads, and takes the others whose dates agree with its own; files whose names differ
// only in letter case never share a group. What is left forms groups the same way.
std::vector<std::vector<tShot>> FormGroups(std::vector<tShot> shots);
