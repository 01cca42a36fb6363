#include "engine/pass/RenameDirectory.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <map>
#include <memory>
#include <vector>

#include "engine/format/FormatTimestamp.h"
#include "engine/format/Keywords.h"
#include "engine/group/FolderGroups.h"
#include "engine/group/Grouping.h"
#include "engine/pass/Run.h"
#include "engine/pass/TargetName.h"
#include "engine/pass/Transfer.h"
#include "engine/readahead/ReadAhead.h"
#include "platform/AsciiCase.h"
#include "platform/Clock.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/TimeZone.h"
#include "readers/FileNameDate.h"
#include "readers/OpenReader.h"
#include "readers/TakeoutJson.h"

namespace {

// A plain move's intent is written with those of the files around it: at most this many
// files, or as many as this long a look at them allows, so that Stop and the windows wait
// no longer than they did for one file read slowly.
constexpr size_t kPlannedFiles = 64;
constexpr std::chrono::milliseconds kPlanningTime{20};

// The folder part of a pattern, ending in a separator, or empty for the working folder.
std::string DirectoryPrefix(const std::string& pattern) {
  std::string prefix = platform::ExtractFilePath(pattern);
  if (!prefix.empty() && prefix.back() != platform::PathSeparator())
    prefix += platform::PathSeparator();
  return prefix;
}

// A file that moves with the leader of its group (the leader itself comes first).
struct GroupMember {
  int32_t number = 0;
  std::string source;
  std::string target;
  platform::FileFacts facts;
  TDateTime moment = 0;  // a photo's or clip's own date; 0 for a companion
  tDateSource from = tDateSource::Embedded;
  bool companion = false;  // a sidecar, edit file, thumbnail and the like
  size_t owner = 0;        // a companion: the member whose new name it follows
  tTie tie = tTie::FullName;
  std::string tail;  // what its new name keeps after the owner's new name or base
};

// What the pass found out about one file before it changes anything.
struct PreparedFile {
  enum class Outcome { Rename, NoMetadata, Unreadable, Skipped, Kept };
  Outcome outcome = Outcome::Rename;
  int32_t number = 0;
  std::string source;
  std::string target;    // the composed target; the source itself when there is no date
  TDateTime moment = 0;  // the chosen date-time
  tDateSource from = tDateSource::Embedded;  // where it came from
  std::string detail;                        // an unreadable file's message
  int32_t counterBefore = 0;                 // the counter before the file took its number
  platform::FileFacts facts;                 // as the reader found the file
  std::vector<GroupMember> group;            // the files of its group, this one first; empty alone
};

// A file read for its date, its reader kept open for the name.
struct LookedFile {
  PreparedFile file;
  std::unique_ptr<tBaseFile> reader;
  int rank = 0;
  std::string stem;  // once composed: what its date and keywords make
};

// What the folders of one pattern share: the folder last made or found.
struct PassState {
  std::string knownFolder;
};

class DirectoryPass {
 public:
  DirectoryPass(tRun& run, const std::string& pattern, PassState& state)
      : run_(run),
        files_(*run.Files),
        pattern_(platform::NativePath(pattern)),
        prefix_(DirectoryPrefix(pattern_)),
        state_(state) {}

  int32_t Run() {
    // Both lists are taken before anything changes: a file renamed into this folder, or a
    // folder the renames create, is not processed again by this call.
    names_ = files_.ListFiles(pattern_);
    const std::vector<std::string> folders =
        run_.Options.Recurse ? files_.ListSubdirectories(prefix_) : std::vector<std::string>();
    {
      // The next files' heads are read meanwhile, from the start: the look at the
      // folder's other files below does not hold them up.
      tReadAhead readAhead(prefix_, names_);
      if (run_.Options.Companions && !names_.empty()) {
        std::vector<std::string> every = files_.ListFiles(prefix_ + "*");
        if (tFolderGroups::AnyToGroup(every, names_)) {
          groups_ = std::make_unique<tFolderGroups>(std::move(every), names_);
          groups_->FindLonelyClips([this](uint32_t clip) { return IdentifierOf(clip); });
        }
      }
      Work(
          names_.size(), [](size_t i) { return i; }, &readAhead);
      readAhead.Stop();
    }
    if (groups_ && !run_.Stopped()) {
      // What waited for a group that never came goes on its own now.
      const std::vector<size_t> left = groups_->Leftovers();
      Work(
          left.size(), [&left](size_t i) { return left[i]; }, nullptr);
    }
    groups_.reset();
    names_.clear();
    Breathe();
    if (run_.Options.Recurse && !run_.Stopped()) {
      const std::string namePart = platform::ExtractFileName(pattern_);
      for (const std::string& folder : folders) {
        if (run_.Stopped()) break;
        count_ +=
            DirectoryPass(run_, prefix_ + folder + platform::PathSeparator() + namePart, state_)
                .Run();
      }
    }
    if (run_.Events != nullptr) run_.Events->PassEnded();
    return count_;
  }

 private:
  // Looks at the files at positionAt(0 .. count-1) of the list, then changes them, a
  // batch at a time.
  template <typename PositionAt>
  void Work(size_t count, PositionAt positionAt, tReadAhead* readAhead) {
    const tRunOptions& options = run_.Options;
    const bool planning = run_.Planner != nullptr && !options.CopyFiles && !options.Overwrite &&
                          !options.SetFileStamp;
    std::vector<PreparedFile> batch;
    for (size_t next = 0; next < count && !run_.Stopped();) {
      // A look at the next files, then their changes, in order.
      batch.clear();
      std::exception_ptr failure;
      const auto started = std::chrono::steady_clock::now();
      const size_t limit = planning ? kPlannedFiles : 1;
      while (batch.size() < limit && next < count && !run_.Stopped()) {
        const size_t position = positionAt(next++);
        if (readAhead != nullptr) readAhead->Reached(position);
        if (groups_ && groups_->Skip(position)) continue;  // taken by a group, or waits
        try {
          const auto number = static_cast<int32_t>(position + 1);
          if (!groups_ || groups_->Alone(position))
            batch.push_back(Prepare(number, prefix_ + names_[position]));
          else
            PrepareGroups(position, batch);
        } catch (...) {
          failure = std::current_exception();
        }
        if (failure || std::chrono::steady_clock::now() - started > kPlanningTime) break;
      }
      if (planning) Plan(batch);  // throws before any change of the batch when it cannot
      Execute(batch);
      if (failure) std::rethrow_exception(failure);
    }
  }

  void Breathe() {
    if (run_.Events != nullptr) run_.Events->Breathe();
  }

  void Report(tRunEventKind kind, int32_t number, std::string_view path,
              std::string_view target = {}, int code = 0, std::string_view detail = {},
              tDateSource from = tDateSource::Embedded) {
    tRunEvent event;
    event.Kind = kind;
    event.Number = number;
    event.Path = path;
    event.Target = target;
    event.Detail = detail;
    event.Code = code;
    event.Source = from;
    run_.Report(event);
  }

  void Report(tRunEventKind kind, const PreparedFile& file, std::string_view target = {},
              int code = 0) {
    Report(kind, file.number, file.source, target, code, file.detail, file.from);
  }

  // Reads the file and composes its target. Changes nothing on disk.
  PreparedFile Prepare(int32_t number, const std::string& source) {
    LookedFile looked = Look(number, source);
    Compose(looked);
    return std::move(looked.file);
  }

  // Opens the file and reads its date; its reader stays open for its name.
  LookedFile Look(int32_t number, const std::string& source) {
    LookedFile looked;
    PreparedFile& file = looked.file;
    file.number = number;
    file.source = source;
    try {
      looked.reader = OpenReader(files_, source, run_.Readers);
      if (!looked.reader) {
        file.outcome = PreparedFile::Outcome::Skipped;
        return looked;
      }
      file.facts = looked.reader->Stream->FactsWhenOpened();
      tBaseFile& reader = *looked.reader;
      const tRunOptions& options = run_.Options;
      TDateTime moment =
          options.OriginalFirst ? reader.GetDateTimeOriginal() : reader.GetDateTime();
      if (moment == 0)
        moment = options.OriginalFirst ? reader.GetDateTime() : reader.GetDateTimeOriginal();
      if (moment == 0) moment = Elsewhere(file);
      file.moment = Shifted(moment);
      looked.rank = LeaderRank(reader.FileKind, source);
    } catch (const EExifException& failure) {
      if (failure.Kind != fkUnknown && ElsewhereAsked())
        LookBare(looked, failure.Kind);
      else
        Fail(looked, PreparedFile::Outcome::NoMetadata, std::string());
    } catch (const EReadError& failure) {
      // Never named after another date because the one it has could not be read.
      Fail(looked, PreparedFile::Outcome::Unreadable, failure.what());
    }
    return looked;
  }

  // --- dates for files that hold none ---------------------------------------------

  bool ElsewhereAsked() const {
    return run_.Options.DatesFromElsewhere || run_.Options.FileTimeLastResort;
  }

  // A file of a known kind whose reader found no metadata (a JPEG without Exif, a PNG
  // screenshot): dated from elsewhere as asked, or it holds no date as before.
  void LookBare(LookedFile& looked, tFileKind kind) {
    PreparedFile& file = looked.file;
    try {
      looked.reader = OpenBare(files_, file.source);
      file.facts = looked.reader->Stream->FactsWhenOpened();
      const TDateTime moment = Elsewhere(file);
      if (moment == 0) {
        Fail(looked, PreparedFile::Outcome::NoMetadata, std::string());
        return;
      }
      file.moment = Shifted(moment);
      looked.rank = LeaderRank(kind, file.source);
    } catch (const EExifException&) {  // it changed since its first look
      Fail(looked, PreparedFile::Outcome::NoMetadata, std::string());
    } catch (const EReadError& failure) {
      Fail(looked, PreparedFile::Outcome::Unreadable, failure.what());
    }
  }

  // The date of a file that holds none, in the order the options ask for it: its Takeout
  // JSON and its name (/E), its modification time (/M); 0 when none has one. The JSON
  // found but unreadable is a read error (EReadError): no later source stands in for it.
  TDateTime Elsewhere(PreparedFile& file) {
    const tRunOptions& options = run_.Options;
    if (options.DatesFromElsewhere) {
      const std::string name = platform::ExtractFileName(file.source);
      const uint32_t json = FolderNames().FindTakeoutJson(name);
      if (json != tFolderNames::kNone) {
        const std::string path = prefix_ + FolderNames().Name(json);
        TDateTime taken = 0;
        try {
          taken = TakeoutPhotoTaken(files_, path);
        } catch (const EFOpenError& failure) {
          throw EReadError(failure.what());
        }
        if (taken > 0) {
          file.from = tDateSource::TakeoutJson;
          return taken;
        }
      }
      if (latest_ == 0) latest_ = platform::LocalNow() + 1;  // a camera a little ahead
      const TDateTime named = DateFromFileName(name, latest_);
      if (named > 0) {
        file.from = tDateSource::FileName;
        return named;
      }
    }
    if (options.FileTimeLastResort && file.facts.modified != platform::kNoTime) {
      const TDateTime modified = platform::LocalFromUnixMilliseconds(
          file.facts.modified / 1000000 - (file.facts.modified % 1000000 < 0 ? 1 : 0));
      if (modified > 0) {
        file.from = tDateSource::FileTime;
        return modified;
      }
    }
    return 0;
  }

  // The date moved by the run's clock shift (no date stays no date).
  TDateTime Shifted(TDateTime moment) const {
    if (moment == 0 || run_.Options.ClockShift == 0) return moment;
    return moment + static_cast<double>(run_.Options.ClockShift) / 86400000.0;
  }

  // The names of the folder's files: the grouping's when it has them, else listed once.
  const tFolderNames& FolderNames() {
    if (groups_) return groups_->Names();
    if (!folderNames_)
      folderNames_ = std::make_unique<tFolderNames>(files_.ListFiles(prefix_ + "*"));
    return *folderNames_;
  }

  static void Fail(LookedFile& looked, PreparedFile::Outcome outcome, std::string detail) {
    looked.file.outcome = outcome;
    looked.file.detail = std::move(detail);
    looked.reader.reset();
  }

  // The target of a file looked at: the stem its date and keywords make, the counter's
  // next number and its old name. A file without a date keeps its name (it is reported
  // as nothing to rename): a name made of the counter and extension alone would tell the
  // user nothing.
  void Compose(LookedFile& looked) {
    PreparedFile& file = looked.file;
    file.counterBefore = *run_.Counter;
    if (file.outcome != PreparedFile::Outcome::Rename) return;
    try {
      looked.stem = Stem(*looked.reader, file.moment);
      if (run_.Options.UseCounter)
        counter_ = CounterText(++*run_.Counter, run_.Options.CounterWidth);
      file.target = file.moment <= 0 ? file.source : TargetFor(looked.stem, file.source);
    } catch (const EExifException&) {
      Fail(looked, PreparedFile::Outcome::NoMetadata, std::string());
      *run_.Counter = file.counterBefore;
    } catch (const EReadError& failure) {
      Fail(looked, PreparedFile::Outcome::Unreadable, failure.what());
      *run_.Counter = file.counterBefore;
    }
  }

  std::string Stem(tBaseFile& reader, TDateTime moment) {
    std::string stem = moment > 0 ? FormatTimestamp(run_.Options.Format, moment, run_.Naming.Locale)
                                  : std::string();
    return CleanTargetName(ApplyKeywords(stem, reader, run_.Naming));
  }

  std::string TargetFor(const std::string& stem, const std::string& source) {
    return ComposeTarget(prefix_, stem, source, counter_, run_.Options.DropOldName);
  }

  // --- files that belong together ---------------------------------------------------

  std::string IdentifierOf(uint32_t file) {
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

  int32_t NumberOf(uint32_t file) const {
    return static_cast<int32_t>(groups_->PositionOf(file) + 1);
  }

  // The groups of the base of the file at this position, each led by its first file,
  // then the kept companions and the files of the base without a date.
  void PrepareGroups(size_t position, std::vector<PreparedFile>& batch) {
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
  void AddGroup(const tGroupPlan& plan, LookAt& lookAt, std::vector<PreparedFile>& batch) {
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

  // --- the changes ----------------------------------------------------------------

  // The intents of the batch's plain moves go to the journal before any of them is made.
  void Plan(const std::vector<PreparedFile>& batch) {
    moves_.clear();
    const auto add = [&](const std::string& source, const std::string& target,
                         const platform::FileFacts& facts) {
      if (target != source && !platform::SameIgnoringCase(source, target))
        moves_.push_back({source, target, facts});
    };
    for (const PreparedFile& file : batch) {
      if (file.outcome != PreparedFile::Outcome::Rename) continue;
      if (file.group.empty())
        add(file.source, file.target, file.facts);
      else
        for (const GroupMember& member : file.group)
          add(member.source, member.target, member.facts);
    }
    if (moves_.empty()) return;
    try {
      run_.Planner->Plan(moves_);
    } catch (...) {
      *run_.Counter = batch.front().counterBefore;  // none of them is done
      throw;
    }
  }

  void Execute(const std::vector<PreparedFile>& batch) {
    size_t done = 0;
    for (; done < batch.size() && !run_.Stopped(); ++done) Change(batch[done]);
    // The files the run did not reach give back their numbers, as if never looked at.
    if (done < batch.size()) *run_.Counter = batch[done].counterBefore;
    if (run_.Planner != nullptr) run_.Planner->Forget();
  }

  void Change(const PreparedFile& file) {
    switch (file.outcome) {
      case PreparedFile::Outcome::NoMetadata:
        Report(tRunEventKind::NoMetadata, file);
        return;
      case PreparedFile::Outcome::Unreadable:
        Report(tRunEventKind::CouldNotRead, file);
        return;
      case PreparedFile::Outcome::Kept:
        Report(tRunEventKind::Kept, file);
        return;
      case PreparedFile::Outcome::Skipped:  // classification cut short: no line
        return;
      case PreparedFile::Outcome::Rename:
        break;
    }
    Breathe();
    if (!file.group.empty()) {
      ChangeGroup(file);
      return;
    }
    if (run_.Options.SetFileStamp && file.moment != 0 &&
        !Stamp(file.number, file.source, file.moment))
      return;
    std::string target = file.target;
    if (file.moment > 0) MakeFolder(platform::ExtractFilePath(target));
    const std::string& source = file.source;
    if (target == source) {
      Report(tRunEventKind::NothingToRename, file);
      return;
    }
    if (TryPlainMove(file)) return;
    bool replace = false;
    bool letterCaseOnly = false;
    if (files_.FileExists(target)) {
      if (files_.IsSameFile(source, target)) {
        // The target is the source under another spelling: never delete or displace it.
        letterCaseOnly = !run_.Options.CopyFiles && platform::SameIgnoringCase(source, target);
        if (!letterCaseOnly) target = FreeName(target);
      } else if (run_.Options.Overwrite) {
        replace = true;  // replaced in the same step as the transfer, never deleted before it
      } else {
        target = FreeName(target);
      }
    }
    Report(tRunEventKind::Transferring, file, target);
    if (const int code = Transfer(source, target, replace, letterCaseOnly)) {
      Report(tRunEventKind::CouldNotRename, file, {}, code);
      return;
    }
    ++count_;
    ++run_.Result.Transferred;
  }

  // Moves, copies or respells the file; 0 or the system's code.
  int Transfer(const std::string& source, const std::string& target, bool replace,
               bool letterCaseOnly) {
    try {
      if (run_.Options.CopyFiles)
        CopyFileExt(files_, source, target, replace);
      else if (letterCaseOnly)
        RenameLetterCase(files_, source, target);
      else
        MoveFileExt(files_, source, target, replace);
      return 0;
    } catch (const EInOutError& failure) {
      return failure.ErrorCode() != 0 ? failure.ErrorCode()
                                      : platform::SystemCode(platform::KnownError::InputOutput);
    }
  }

  // The members of a group move one after the other, the leader first, under the first
  // variant of their names that is free for all of them. When one cannot move, the ones
  // moved before it go back: a group is never left split.
  void ChangeGroup(const PreparedFile& file) {
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
  std::vector<std::string> FreeTargets(const std::vector<GroupMember>& group,
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
  void TakeBack(const std::vector<GroupMember>& group, const std::vector<size_t>& moved,
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

  // The /T stamp: both file times become the moment, unless both already are. A file
  // that cannot be opened for writing (a read-only one) is left alone. False, with its
  // event, when the times could not be written: the file then keeps its name.
  bool Stamp(int32_t number, const std::string& source, TDateTime moment) {
    int code = 0;
    const std::unique_ptr<platform::StampableFile> stamp = files_.OpenForStamp(source, code);
    if (!stamp) return true;
    platform::FileTimes times;
    if (stamp->Times(times) && times.creation == moment && times.lastWrite == moment) return true;
    code = stamp->Stamp(moment);
    if (code == 0) return true;
    Report(tRunEventKind::CouldNotStamp, number, source, {}, code);
    return false;
  }

  // A folder that cannot be made shows as a failed move or copy.
  void MakeFolder(const std::string& folder) {
    // The folder of the last target is not asked for again: most targets share it.
    if (folder.empty() || folder == state_.knownFolder) return;
    if (files_.MakeFolders(folder) == 0) state_.knownFolder = folder;
  }

  // The common case of a bulk rename: a move to a name nobody holds. The move itself
  // refuses an existing target, so asking first would only look the name up twice; the
  // line follows the move at once. False, with nothing done, when the name is held (or
  // the case needs the full treatment): the collision rules then take over.
  bool TryPlainMove(const PreparedFile& file) {
    const tRunOptions& options = run_.Options;
    if (options.CopyFiles || options.Overwrite ||
        platform::SameIgnoringCase(file.source, file.target))
      return false;
    const int code = files_.Move(file.source, file.target, false);
    if (code != 0 && files_.FileExists(file.target)) return false;
    Report(tRunEventKind::Transferring, file, file.target);
    if (code == 0) {
      ++count_;
      ++run_.Result.Transferred;
    } else {
      Report(tRunEventKind::CouldNotRename, file, {}, code);
    }
    return true;
  }

  std::string FreeName(const std::string& target) {
    return UniqueFileName(target,
                          [this](const std::string& name) { return files_.FileExists(name); });
  }

  tRun& run_;
  platform::FileSystem& files_;
  const std::string pattern_;
  const std::string prefix_;
  PassState& state_;
  std::vector<std::string> names_;
  std::unique_ptr<tFolderGroups> groups_;
  std::unique_ptr<tFolderNames> folderNames_;  // listed for a file's Takeout JSON
  TDateTime latest_ = 0;                       // the latest date a file name may hold
  std::vector<tPlannedMove> moves_;
  std::string counter_;
  int32_t count_ = 0;
};

}  // namespace

int32_t RenameDirectory(tRun& run, const std::string& pathPattern) {
  PassState state;
  return DirectoryPass(run, pathPattern, state).Run();
}
