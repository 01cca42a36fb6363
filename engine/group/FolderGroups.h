#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/group/CompanionNames.h"
#include "platform/DateTime.h"

// What a look at one file found, as far as grouping cares.
struct tLook {
  bool Dated = false;   // it has a date of its own
  bool Unsure = false;  // it could not be read: it may have one
  TDateTime Moment = 0;
  int Rank = 0;  // LeaderRank
};

// One group of files that move together.
struct tGroupPlan {
  struct Companion {
    uint32_t File = 0;
    uint32_t Owner = 0;  // the main file whose name it follows (for a base name: the leader)
    tTie Tie = tTie::FullName;
    std::string Tail;
  };
  std::vector<uint32_t> Mains;  // the leader, then its partners
  std::vector<Companion> Companions;
  std::vector<uint32_t> Kept;  // companions that stay where they are: more than one file owns them
};

// What the plans of one file's base came to.
struct tBasePlans {
  std::vector<tGroupPlan> Groups;
  std::vector<uint32_t> Undated;  // files of the base the pattern matched that have no date
};

// The files of one folder that belong together. The pass walks the files the pattern
// matched; for each, this says whether it goes alone (as a folder without companions has
// it), is taken already, or waits, and otherwise plans its base's groups. File numbers are
// indexes into the folder's whole list; positions are places in the matched list.
class tFolderGroups {
 public:
  using Look = std::function<tLook(uint32_t file)>;
  // A Live Photo's content identifier; empty when the file has none.
  using Identify = std::function<std::string(uint32_t file)>;

  // Whether anything of the folder may belong together: a name only companions have, two
  // names of one base, or a clip the pattern matched beside stills (a Live Photo's clip
  // under another name). When nothing may, every file goes on its own and no plan is
  // needed: a folder of plain photos pays for a look at its names, no more.
  static bool AnyToGroup(const std::vector<std::string>& every,
                         const std::vector<std::string>& matched);

  // every: all files of the folder; matched: those of the pattern, in the pass's order.
  tFolderGroups(std::vector<std::string> every, const std::vector<std::string>& matched);

  const tFolderNames& Names() const { return names_; }
  // The file at a position; tFolderNames::kNone when the folder's list lacks it.
  uint32_t FileAt(size_t position) const { return fileAt_[position]; }
  // The file's position in the matched list, or -1.
  int64_t PositionOf(uint32_t file) const;

  // Reads the clips that may be a renamed Live Photo half (a MOV the pattern matched with
  // no still of its base, in a folder of stills) for their identifiers; a clip that has
  // one waits until the stills are planned.
  void FindLonelyClips(const Identify& identify);

  // Taken by an earlier group, or waiting for its owner or its still.
  bool Skip(size_t position) const;
  // Nothing of its name ties it to another file: it goes on its own.
  bool Alone(size_t position) const;
  // Plans the groups of the file's base. Every file of the plans is taken, and so are the
  // undated ones.
  tBasePlans Plan(size_t position, const Look& look, const Identify& identify);
  // The positions that waited and that no group took, in their order: from now on they
  // do not wait.
  std::vector<size_t> Leftovers();

 private:
  struct Claim {
    uint32_t Owner;
    tTie Tie;
  };

  bool Matched(uint32_t file) const { return positionOf_[file] >= 0; }
  bool Candidate(uint32_t file) const;
  // Whether the owner has a date of its own, as far as a look tells.
  bool HasOwnDate(uint32_t owner, const tBasePlans& plans, const Look& look);
  void AddCompanions(tGroupPlan& plan, tBasePlans& plans, const Look& look);

  tFolderNames names_;
  std::vector<uint32_t> fileAt_;
  std::vector<int64_t> positionOf_;
  std::vector<bool> taken_;
  std::vector<bool> waits_;
  bool ending_ = false;
  std::map<uint32_t, std::vector<tCompanionName>> companions_;  // by owner
  std::map<uint32_t, std::vector<Claim>> claims_;               // by companion
  std::map<std::string, uint32_t> lonelyClips_;                 // by identifier
  bool anyStill_ = false;
};
