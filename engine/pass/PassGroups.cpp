// The files of a folder that belong together, in the rename pass: their groups are
// prepared from what a look at each file told, then moved (or copied) whole.

#include <algorithm>
#include <map>

#include "engine/group/Grouping.h"
#include "engine/pass/DirectoryPass.h"
#include "engine/pass/TargetName.h"
#include "platform/AsciiCase.h"
#include "platform/Errors.h"
#include "readers/OpenReader.h"

namespace directory_pass {

std::string DirectoryPass::IdentifierOf(uint32_t file) {
  try {
    const std::unique_ptr<tBaseFile> reader =
        OpenReader(files_, prefix_ + groups_->Names().Name(file), run_.Readers);
    return reader ? reader->GetContentIdentifier() : std::string();
  } catch (const EExifException&) {
  } catch (const EReadError&) {
  } catch (const EFOpenError&) {
  }
  return std::string();
}

int32_t DirectoryPass::NumberOf(uint32_t file) const {
  return static_cast<int32_t>(groups_->PositionOf(file) + 1);
}

// The groups of the base of the file at this position, each led by its first file,
// then the kept companions and the files of the base without a date.
void DirectoryPass::PrepareGroups(size_t position, std::vector<PreparedFile>& batch) {
  std::map<uint32_t, LookedFile> looked;
  const auto lookAt = [&](uint32_t file) -> LookedFile& {
    auto found = looked.find(file);
    if (found == looked.end())
      found =
          looked.emplace(file, Look(NumberOf(file), prefix_ + groups_->Names().Name(file))).first;
    return found->second;
  };
  const auto look = [&](uint32_t file) {
    const LookedFile& seen = lookAt(file);
    tLook result;
    result.Dated = seen.file.outcome == PreparedFile::Outcome::Rename && seen.file.moment > 0;
    result.Unsure = seen.file.outcome == PreparedFile::Outcome::Unreadable;
    result.Moment = seen.file.moment;
    result.Rank = seen.rank;
    return result;
  };
  const auto identify = [&](uint32_t file) -> std::string {
    LookedFile& seen = lookAt(file);
    try {
      return seen.reader ? seen.reader->GetContentIdentifier() : std::string();
    } catch (const EReadError&) {
      return std::string();
    }
  };
  const tBasePlans plans = groups_->Plan(position, look, identify);
  for (const tGroupPlan& plan : plans.Groups) {
    AddGroup(plan, lookAt, batch);
    for (uint32_t kept : plan.Kept) {
      PreparedFile file;
      file.outcome = PreparedFile::Outcome::Kept;
      file.source = prefix_ + groups_->Names().Name(kept);
      file.number = groups_->PositionOf(kept) >= 0 ? NumberOf(kept) : batch.back().number;
      file.counterBefore = *run_.Counter;
      batch.push_back(std::move(file));
    }
  }
  for (uint32_t file : plans.Undated) {
    LookedFile& seen = lookAt(file);
    Compose(seen);
    batch.push_back(std::move(seen.file));
  }
}

template <typename LookAt>
void DirectoryPass::AddGroup(const tGroupPlan& plan, LookAt& lookAt,
                             std::vector<PreparedFile>& batch) {
  LookedFile& leader = lookAt(plan.Mains.front());
  Compose(leader);
  PreparedFile file = leader.file;
  if (file.outcome != PreparedFile::Outcome::Rename) {
    // No name for the group: each of its files goes on its own.
    batch.push_back(std::move(file));
    for (size_t i = 1; i < plan.Mains.size(); ++i) {
      LookedFile& other = lookAt(plan.Mains[i]);
      Compose(other);
      batch.push_back(std::move(other.file));
    }
    return;
  }
  const std::string& stem = leader.stem;
  for (uint32_t main : plan.Mains) {
    const PreparedFile& seen = lookAt(main).file;
    GroupMember member;
    member.number = seen.number;
    member.source = seen.source;
    member.target = main == plan.Mains.front() ? file.target : TargetFor(stem, seen.source);
    member.facts = seen.facts;
    member.moment = seen.moment;
    member.from = seen.from;
    file.group.push_back(std::move(member));
  }
  for (const tGroupPlan::Companion& companion : plan.Companions) {
    GroupMember member;
    member.companion = true;
    member.source = prefix_ + groups_->Names().Name(companion.File);
    const auto owner = std::find(plan.Mains.begin(), plan.Mains.end(), companion.Owner);
    member.owner = static_cast<size_t>(owner - plan.Mains.begin());
    member.number = groups_->PositionOf(companion.File) >= 0 ? NumberOf(companion.File)
                                                             : file.group[member.owner].number;
    member.tie = companion.Tie;
    member.tail = companion.Tail;
    member.target = CompanionTarget(member.tie == tTie::BaseName, file.group[member.owner].target,
                                    file.group.front().target, member.tail);
    files_.ReadFacts(member.source, member.facts);
    file.group.push_back(std::move(member));
  }
  if (file.group.size() == 1) file.group.clear();  // alone after all
  batch.push_back(std::move(file));
}

// The members of a group move one after the other, the leader first, under the first
// variant of their names that is free for all of them. When one cannot move, the ones
// moved before it go back: a group is never left split.
void DirectoryPass::ChangeGroup(const PreparedFile& file) {
  const std::vector<GroupMember>& group = file.group;
  if (run_.Options.SetFileStamp)
    for (const GroupMember& member : group)
      if (!member.companion && member.moment != 0 &&
          !Stamp(member.number, member.source, member.moment))
        return;  // the group keeps its names
  MakeFolder(platform::ExtractFilePath(group.front().target));
  std::vector<size_t> moving;
  for (size_t i = 0; i < group.size(); ++i) {
    if (group[i].target != group[i].source)
      moving.push_back(i);
    else if (!group[i].companion)
      Report(tRunEventKind::NothingToRename, group[i].number, group[i].source, {}, 0, {},
             group[i].from);
  }
  if (moving.empty()) return;
  const std::vector<std::string> targets = FreeTargets(group, moving);
  std::vector<size_t> moved;
  for (size_t i : moving) {
    const GroupMember& member = group[i];
    const std::string& target = targets[i];
    const bool letterCaseOnly =
        !run_.Options.CopyFiles && platform::SameIgnoringCase(member.source, target) &&
        files_.FileExists(target) && files_.IsSameFile(member.source, target);
    const bool replace = run_.Options.Overwrite && !letterCaseOnly && files_.FileExists(target);
    Report(tRunEventKind::Transferring, member.number, member.source, target, 0, {}, member.from);
    if (const int code = Transfer(member.source, target, replace, letterCaseOnly)) {
      Report(tRunEventKind::CouldNotRename, member.number, member.source, {}, code);
      TakeBack(group, moved, targets);
      return;
    }
    moved.push_back(i);
    ++count_;
    ++run_.Result.Transferred;
  }
}

// The targets of the group under the first variant free for every moving member (all
// of them taken: the last one); with /Y the targets themselves.
std::vector<std::string> DirectoryPass::FreeTargets(const std::vector<GroupMember>& group,
                                                    const std::vector<size_t>& moving) {
  std::vector<std::string> targets(group.size());
  const auto make = [&](char suffix) {
    for (size_t i = 0; i < group.size(); ++i) {
      const GroupMember& member = group[i];
      targets[i] = member.companion
                       ? CompanionTarget(member.tie == tTie::BaseName, targets[member.owner],
                                         targets.front(), member.tail)
                       : VariantTarget(member.target, suffix);
    }
  };
  const auto taken = [&](size_t i) {
    const std::string& target = targets[i];
    if (!files_.FileExists(target)) return false;
    // The member itself under another spelling holds the name: it may take it.
    return !(platform::SameIgnoringCase(group[i].source, target) &&
             files_.IsSameFile(group[i].source, target));
  };
  make(0);
  if (run_.Options.Overwrite) return targets;
  const auto anyTaken = [&] { return std::any_of(moving.begin(), moving.end(), taken); };
  if (!anyTaken()) return targets;
  for (const char* c = kVariantSuffixes; *c != '\0'; ++c) {
    make(*c);
    if (!anyTaken()) break;
  }
  return targets;
}

// The members moved (or copied) so far go back where they were, the last first.
void DirectoryPass::TakeBack(const std::vector<GroupMember>& group,
                             const std::vector<size_t>& moved,
                             const std::vector<std::string>& targets) {
  for (auto i = moved.rbegin(); i != moved.rend(); ++i) {
    const GroupMember& member = group[*i];
    const std::string& target = targets[*i];
    const int code = run_.Options.CopyFiles
                         ? files_.RemoveFile(target, false)
                         : Transfer(target, member.source, false,
                                    platform::SameIgnoringCase(target, member.source));
    if (code != 0) {
      Report(tRunEventKind::CouldNotTakeBack, member.number, target, member.source, code);
      continue;
    }
    Report(tRunEventKind::TakenBack, member.number, target,
           run_.Options.CopyFiles ? std::string_view() : std::string_view(member.source));
    --count_;
    --run_.Result.Transferred;
  }
}

}  // namespace directory_pass
