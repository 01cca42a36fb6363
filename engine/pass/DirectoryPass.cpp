// The rename pass of one folder: its files looked at, named and changed a batch at a
// time, then its subfolders.
#include "engine/pass/DirectoryPass.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>
#include <vector>

#include "engine/format/FormatTimestamp.h"
#include "engine/format/Keywords.h"
#include "engine/group/Grouping.h"
#include "engine/pass/Run.h"
#include "engine/pass/TargetName.h"
#include "engine/pass/Transfer.h"
#include "engine/readahead/ReadAhead.h"
#include "platform/AsciiCase.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "readers/OpenReader.h"

namespace directory_pass {

namespace {

// A plain move's intent is written with those of the files around it: at most this many
// files, or as many as this long a look at them allows, so that Stop and the windows wait
// no longer than they did for one file read slowly.
constexpr size_t kPlannedFiles = 64;
constexpr std::chrono::milliseconds kPlanningTime{20};

}  // namespace

std::string DirectoryPrefix(const std::string& pattern) {
  std::string prefix = platform::ExtractFilePath(pattern);
  if (!prefix.empty() && prefix.back() != platform::PathSeparator())
    prefix += platform::PathSeparator();
  return prefix;
}

int32_t DirectoryPass::Run() {
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
      count_ += DirectoryPass(run_, prefix_ + folder + platform::PathSeparator() + namePart, state_)
                    .Run();
    }
  }
  if (run_.Events != nullptr) run_.Events->PassEnded();
  return count_;
}

// Looks at the files at positionAt(0 .. count-1) of the list, then changes them, a
// batch at a time.
template <typename PositionAt>
void DirectoryPass::Work(size_t count, PositionAt positionAt, tReadAhead* readAhead) {
  const tRunOptions& options = run_.Options;
  const bool planning =
      run_.Planner != nullptr && !options.CopyFiles && !options.Overwrite && !options.SetFileStamp;
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

void DirectoryPass::Breathe() {
  if (run_.Events != nullptr) run_.Events->Breathe();
}

void DirectoryPass::Report(tRunEventKind kind, int32_t number, std::string_view path,
                           std::string_view target, int code, std::string_view detail,
                           tDateSource from) {
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

void DirectoryPass::Report(tRunEventKind kind, const PreparedFile& file, std::string_view target,
                           int code) {
  Report(kind, file.number, file.source, target, code, file.detail, file.from);
}

// Reads the file and composes its target. Changes nothing on disk.
PreparedFile DirectoryPass::Prepare(int32_t number, const std::string& source) {
  LookedFile looked = Look(number, source);
  Compose(looked);
  return std::move(looked.file);
}

// Opens the file and reads its date; its reader stays open for its name.
LookedFile DirectoryPass::Look(int32_t number, const std::string& source) {
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
    TDateTime moment = options.OriginalFirst ? reader.GetDateTimeOriginal() : reader.GetDateTime();
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

void DirectoryPass::Fail(LookedFile& looked, PreparedFile::Outcome outcome, std::string detail) {
  looked.file.outcome = outcome;
  looked.file.detail = std::move(detail);
  looked.reader.reset();
}

// The target of a file looked at: the stem its date and keywords make, the counter's
// next number and its old name. A file without a date keeps its name (it is reported
// as nothing to rename): a name made of the counter and extension alone would tell the
// user nothing.
void DirectoryPass::Compose(LookedFile& looked) {
  PreparedFile& file = looked.file;
  file.counterBefore = *run_.Counter;
  if (file.outcome != PreparedFile::Outcome::Rename) return;
  try {
    looked.stem = Stem(*looked.reader, file.moment);
    if (run_.Options.UseCounter) counter_ = CounterText(++*run_.Counter, run_.Options.CounterWidth);
    file.target = file.moment <= 0 ? file.source : TargetFor(looked.stem, file.source);
  } catch (const EExifException&) {
    Fail(looked, PreparedFile::Outcome::NoMetadata, std::string());
    *run_.Counter = file.counterBefore;
  } catch (const EReadError& failure) {
    Fail(looked, PreparedFile::Outcome::Unreadable, failure.what());
    *run_.Counter = file.counterBefore;
  }
}

std::string DirectoryPass::Stem(tBaseFile& reader, TDateTime moment) {
  std::string stem =
      moment > 0 ? FormatTimestamp(run_.Options.Format, moment, run_.Naming.Locale) : std::string();
  return CleanTargetName(ApplyKeywords(stem, reader, run_.Naming));
}

std::string DirectoryPass::TargetFor(const std::string& stem, const std::string& source) {
  return ComposeTarget(prefix_, stem, source, counter_, run_.Options.DropOldName);
}

// The intents of the batch's plain moves go to the journal before any of them is made.
void DirectoryPass::Plan(const std::vector<PreparedFile>& batch) {
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
      for (const GroupMember& member : file.group) add(member.source, member.target, member.facts);
  }
  if (moves_.empty()) return;
  try {
    run_.Planner->Plan(moves_);
  } catch (...) {
    *run_.Counter = batch.front().counterBefore;  // none of them is done
    throw;
  }
}

void DirectoryPass::Execute(const std::vector<PreparedFile>& batch) {
  size_t done = 0;
  for (; done < batch.size() && !run_.Stopped(); ++done) Change(batch[done]);
  // The files the run did not reach give back their numbers, as if never looked at.
  if (done < batch.size()) *run_.Counter = batch[done].counterBefore;
  if (run_.Planner != nullptr) run_.Planner->Forget();
}

void DirectoryPass::Change(const PreparedFile& file) {
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
int DirectoryPass::Transfer(const std::string& source, const std::string& target, bool replace,
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

// The /T stamp: both file times become the moment, unless both already are. A file
// that cannot be opened for writing (a read-only one) is left alone. False, with its
// event, when the times could not be written: the file then keeps its name.
bool DirectoryPass::Stamp(int32_t number, const std::string& source, TDateTime moment) {
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
void DirectoryPass::MakeFolder(const std::string& folder) {
  // The folder of the last target is not asked for again: most targets share it.
  if (folder.empty() || folder == state_.knownFolder) return;
  if (files_.MakeFolders(folder) == 0) state_.knownFolder = folder;
}

// The common case of a bulk rename: a move to a name nobody holds. The move itself
// refuses an existing target, so asking first would only look the name up twice; the
// line follows the move at once. False, with nothing done, when the name is held (or
// the case needs the full treatment): the collision rules then take over.
bool DirectoryPass::TryPlainMove(const PreparedFile& file) {
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

std::string DirectoryPass::FreeName(const std::string& target) {
  return UniqueFileName(target,
                        [this](const std::string& name) { return files_.FileExists(name); });
}

}  // namespace directory_pass
