#pragma once

#include <string>
#include <vector>

#include "platform/FileTimes.h"

// A move the rename pass is about to make: the file, its new name and its size and times
// as its reader found them.
struct tPlannedMove {
  std::string Source;
  std::string Target;
  platform::FileFacts Facts;
};

// Hears the plain moves of the next files before the pass makes any of them, so that a
// journal can record all of their intents in one write instead of one write a file.
class tMovePlanner {
 public:
  virtual ~tMovePlanner() = default;
  // The moves, in the order the pass will make them (the planner may take them over).
  // Throws when they cannot be recorded: then none of them is made.
  virtual void Plan(std::vector<tPlannedMove>& moves) = 0;
  // The planned moves not made by now will not be made.
  virtual void Forget() = 0;
};
