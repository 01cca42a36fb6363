#include "engine/group/FolderGroups.h"

#include <algorithm>

#include "engine/group/Grouping.h"
#include "platform/AsciiCase.h"

namespace {

bool HasExtension(std::string_view name, std::initializer_list<std::string_view> extensions) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  return std::any_of(extensions.begin(), extensions.end(), [&](std::string_view wanted) {
    return platform::SameIgnoringCase(name.substr(dot), wanted);
  });
}

bool IsStillName(std::string_view name) {
  return HasExtension(name, {".heic", ".heif", ".jpg", ".jpeg"});
}

bool IsClipName(std::string_view name) { return HasExtension(name, {".mov"}); }

// Whether two of the keys are equal: an open-addressed table, as a folder's names can be
// many.
bool AnyEqual(const std::vector<uint64_t>& keys) {
  size_t size = 16;
  while (size < keys.size() * 2) size *= 2;
  std::vector<uint64_t> table(size, 0);
  for (uint64_t key : keys) {
    key = key == 0 ? 1 : key;  // 0 marks a free slot
    for (size_t slot = key & (size - 1);; slot = (slot + 1) & (size - 1)) {
      if (table[slot] == key) return true;
      if (table[slot] == 0) {
        table[slot] = key;
        break;
      }
    }
  }
  return false;
}

template <typename T>
bool Contains(const std::vector<T>& items, const T& item) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

}  // namespace

bool tFolderGroups::AnyToGroup(const std::vector<std::string>& every,
                               const std::vector<std::string>& matched) {
  std::vector<uint64_t> bases;
  bases.reserve(every.size());
  for (const std::string& name : every) {
    if (HasCompanionExtension(name)) return true;
    bases.push_back(BaseKey(name));
  }
  if (AnyEqual(bases)) return true;
  const auto clip = [](const std::string& name) { return IsClipName(name); };
  const auto still = [](const std::string& name) { return IsStillName(name); };
  return std::any_of(matched.begin(), matched.end(), clip) &&
         std::any_of(matched.begin(), matched.end(), still);
}

tFolderGroups::tFolderGroups(std::vector<std::string> every,
                             const std::vector<std::string>& matched)
    : names_(std::move(every)),
      positionOf_(names_.Names().size(), -1),
      taken_(names_.Names().size()),
      waits_(matched.size()) {
  fileAt_.reserve(matched.size());
  for (size_t position = 0; position < matched.size(); ++position) {
    const uint32_t file = names_.Find(matched[position]);
    fileAt_.push_back(file);
    if (file != tFolderNames::kNone) positionOf_[file] = static_cast<int64_t>(position);
    anyStill_ = anyStill_ || IsStillName(matched[position]);
  }
  if (!names_.AnyCompanions()) return;
  // Every file's companions once, and who claims each companion.
  for (uint32_t owner = 0; owner < names_.Names().size(); ++owner) {
    std::vector<tCompanionName> found = names_.CompanionsOf(owner);
    if (found.empty()) continue;
    for (const tCompanionName& companion : found) {
      claims_[companion.File].push_back({owner, companion.Tie});
      // A companion the pattern matched waits for its owner, when the pattern matched that.
      const int64_t at = positionOf_[companion.File];
      if (at >= 0 && Matched(owner)) waits_[static_cast<size_t>(at)] = true;
    }
    companions_[owner] = std::move(found);
  }
}

int64_t tFolderGroups::PositionOf(uint32_t file) const { return positionOf_[file]; }

void tFolderGroups::FindLonelyClips(const Identify& identify) {
  if (!anyStill_) return;
  for (size_t position = 0; position < fileAt_.size(); ++position) {
    const uint32_t clip = fileAt_[position];
    if (clip == tFolderNames::kNone || !IsClipName(names_.Name(clip))) continue;
    const std::vector<uint32_t> same = names_.SameBase(clip);
    if (std::any_of(same.begin(), same.end(),
                    [&](uint32_t file) { return Matched(file) && IsStillName(names_.Name(file)); }))
      continue;
    const std::string identifier = identify(clip);
    if (identifier.empty() || lonelyClips_.count(identifier)) continue;
    lonelyClips_[identifier] = clip;
    waits_[position] = true;
  }
}

bool tFolderGroups::Skip(size_t position) const {
  const uint32_t file = fileAt_[position];
  if (file != tFolderNames::kNone && taken_[file]) return true;
  return waits_[position] && !ending_;
}

bool tFolderGroups::Candidate(uint32_t file) const {
  return Matched(file) && !taken_[file] && !HasCompanionExtension(names_.Name(file));
}

bool tFolderGroups::Alone(size_t position) const {
  const uint32_t file = fileAt_[position];
  if (file == tFolderNames::kNone || HasCompanionExtension(names_.Name(file))) return true;
  if (companions_.count(file)) return false;
  if (!lonelyClips_.empty() && IsStillName(names_.Name(file))) return false;
  const std::vector<uint32_t> same = names_.SameBase(file);
  return std::none_of(same.begin(), same.end(), [&](uint32_t other) { return Candidate(other); });
}

bool tFolderGroups::HasOwnDate(uint32_t owner, const tBasePlans& plans, const Look& look) {
  if (HasCompanionExtension(names_.Name(owner))) return false;
  for (const tGroupPlan& group : plans.Groups)
    if (Contains(group.Mains, owner)) return true;
  const tLook seen = look(owner);
  return seen.Dated || seen.Unsure;
}

void tFolderGroups::AddCompanions(tGroupPlan& plan, tBasePlans& plans, const Look& look) {
  for (const uint32_t main : plan.Mains) {
    const auto found = companions_.find(main);
    if (found == companions_.end()) continue;
    for (const tCompanionName& companion : found->second) {
      if (taken_[companion.File]) continue;
      const std::vector<Claim>& claims = claims_[companion.File];
      bool follows = true;
      if (companion.Tie == tTie::BaseName) {
        // Every file of that base with a date of its own must move in this group.
        for (const Claim& claim : claims)
          if (claim.Tie == tTie::BaseName && !Contains(plan.Mains, claim.Owner) &&
              HasOwnDate(claim.Owner, plans, look))
            follows = false;
      } else {
        // Names that differ only in letter case both claim it: the one it spells out
        // exactly owns it, and without one, nobody does.
        std::vector<uint32_t> owners;
        for (const Claim& claim : claims)
          if (claim.Tie == companion.Tie && !Contains(owners, claim.Owner))
            owners.push_back(claim.Owner);
        if (owners.size() > 1) {
          const std::string& name = names_.Name(companion.File);
          const auto spells = [&](uint32_t owner) {
            return name.compare(0, names_.Name(owner).size(), names_.Name(owner)) == 0;
          };
          const auto exact = std::count_if(owners.begin(), owners.end(), spells);
          if (exact == 1 && !spells(main)) continue;  // the other one's, when its turn comes
          follows = exact == 1;
        }
      }
      taken_[companion.File] = true;
      if (follows)
        plan.Companions.push_back({companion.File,
                                   companion.Tie == tTie::BaseName ? plan.Mains.front() : main,
                                   companion.Tie, companion.Tail});
      else
        plan.Kept.push_back(companion.File);
    }
  }
}

tBasePlans tFolderGroups::Plan(size_t position, const Look& look, const Identify& identify) {
  tBasePlans plans;
  const uint32_t first = fileAt_[position];
  std::vector<uint32_t> candidates = {first};
  for (uint32_t other : names_.SameBase(first))
    if (Candidate(other)) candidates.push_back(other);
  std::vector<tShot> shots;
  for (uint32_t file : candidates) {
    taken_[file] = true;
    const tLook seen = look(file);
    if (seen.Dated)
      shots.push_back({file, names_.Name(file), seen.Moment, seen.Rank});
    else
      plans.Undated.push_back(file);
  }
  for (std::vector<tShot>& group : FormGroups(std::move(shots))) {
    tGroupPlan plan;
    for (const tShot& shot : group) plan.Mains.push_back(shot.File);
    // A Live Photo's clip under another name, found by the identifier both halves hold.
    for (size_t i = 0; i < group.size() && !lonelyClips_.empty(); ++i) {
      if (group[i].Rank != LeaderRank(fkHEIF, "") && group[i].Rank != LeaderRank(fkJPEG, ""))
        continue;
      const auto clip = lonelyClips_.find(identify(group[i].File));
      if (clip == lonelyClips_.end()) continue;
      const uint32_t file = clip->second;
      lonelyClips_.erase(clip);
      if (taken_[file] || !look(file).Dated) continue;
      taken_[file] = true;
      plan.Mains.push_back(file);
    }
    plans.Groups.push_back(std::move(plan));
  }
  for (tGroupPlan& plan : plans.Groups) AddCompanions(plan, plans, look);
  return plans;
}

std::vector<size_t> tFolderGroups::Leftovers() {
  ending_ = true;
  std::vector<size_t> left;
  for (size_t position = 0; position < waits_.size(); ++position)
    if (waits_[position] && !Skip(position)) left.push_back(position);
  return left;
}
