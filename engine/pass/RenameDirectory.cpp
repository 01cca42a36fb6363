#include "engine/pass/RenameDirectory.h"

#include <chrono>
#include <exception>
#include <memory>
#include <vector>

#include "engine/format/FormatTimestamp.h"
#include "engine/format/Keywords.h"
#include "engine/pass/Run.h"
#include "engine/pass/TargetName.h"
#include "engine/pass/Transfer.h"
#include "engine/readahead/ReadAhead.h"
#include "platform/AsciiCase.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "readers/OpenReader.h"

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

// What the pass found out about one file before it changes anything.
struct PreparedFile {
  enum class Outcome { Rename, NoMetadata, Unreadable, Skipped };
  Outcome outcome = Outcome::Rename;
  int32_t number = 0;
  std::string source;
  std::string target;         // the composed target; the source itself when there is no date
  TDateTime moment = 0;       // the chosen date-time
  std::string detail;         // an unreadable file's message
  int32_t counterBefore = 0;  // the counter before the file took its number
  platform::FileFacts facts;  // as the reader found the file
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
    std::vector<std::string> names = files_.ListFiles(pattern_);
    const std::vector<std::string> folders =
        run_.Options.Recurse ? files_.ListSubdirectories(prefix_) : std::vector<std::string>();
    tReadAhead readAhead(prefix_, names);  // the next files' heads are read meanwhile
    const tRunOptions& options = run_.Options;
    const bool planning = run_.Planner != nullptr && !options.CopyFiles && !options.Overwrite &&
                          !options.SetFileStamp;
    std::vector<PreparedFile> batch;
    for (size_t next = 0; next < names.size() && !run_.Stopped();) {
      // A look at the next files, then their changes, in order.
      batch.clear();
      std::exception_ptr failure;
      const auto started = std::chrono::steady_clock::now();
      const size_t limit = planning ? kPlannedFiles : 1;
      while (batch.size() < limit && next < names.size() && !run_.Stopped()) {
        readAhead.Reached(next);
        try {
          batch.push_back(Prepare(static_cast<int32_t>(next + 1), prefix_ + names[next]));
        } catch (...) {
          failure = std::current_exception();
        }
        ++next;
        if (failure || std::chrono::steady_clock::now() - started > kPlanningTime) break;
      }
      if (planning) Plan(batch);  // throws before any change of the batch when it cannot
      Execute(batch);
      if (failure) std::rethrow_exception(failure);
    }
    readAhead.Stop();
    names.clear();
    Breathe();
    if (options.Recurse && !run_.Stopped()) {
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
  void Breathe() {
    if (run_.Events != nullptr) run_.Events->Breathe();
  }

  void Report(tRunEventKind kind, const PreparedFile& file, std::string_view target = {},
              int code = 0) {
    tRunEvent event;
    event.Kind = kind;
    event.Number = file.number;
    event.Path = file.source;
    event.Target = target;
    event.Detail = file.detail;
    event.Code = code;
    run_.Report(event);
  }

  // Reads the file and composes its target. Changes nothing on disk.
  PreparedFile Prepare(int32_t number, const std::string& source) {
    PreparedFile file;
    file.number = number;
    file.source = source;
    file.counterBefore = *run_.Counter;
    std::unique_ptr<tBaseFile> reader;
    try {
      reader = OpenReader(files_, source, run_.Readers);
      if (!reader) {
        file.outcome = PreparedFile::Outcome::Skipped;
        return file;
      }
      file.facts = reader->Stream->FactsWhenOpened();
      file.target = ComposeFor(*reader, file);
    } catch (const EExifException&) {
      file.outcome = PreparedFile::Outcome::NoMetadata;
    } catch (const EReadError& failure) {
      // Never named after another date because the one it has could not be read.
      file.outcome = PreparedFile::Outcome::Unreadable;
      file.detail = failure.what();
      *run_.Counter = file.counterBefore;
    }
    return file;
  }

  std::string ComposeFor(tBaseFile& reader, PreparedFile& file) {
    const tRunOptions& options = run_.Options;
    TDateTime moment = options.OriginalFirst ? reader.GetDateTimeOriginal() : reader.GetDateTime();
    if (moment == 0)
      moment = options.OriginalFirst ? reader.GetDateTime() : reader.GetDateTimeOriginal();
    file.moment = moment;
    std::string stem =
        moment > 0 ? FormatTimestamp(options.Format, moment, run_.Naming.Locale) : std::string();
    stem = CleanTargetName(ApplyKeywords(stem, reader, run_.Naming));
    if (options.UseCounter) counter_ = CounterText(++*run_.Counter, options.CounterWidth);
    // A file without a date keeps its name (it is reported as nothing to rename): a name
    // made of the counter and extension alone would tell the user nothing.
    if (moment <= 0) return file.source;
    return ComposeTarget(prefix_, stem, file.source, counter_, options.DropOldName);
  }

  // The intents of the batch's plain moves go to the journal before any of them is made.
  void Plan(const std::vector<PreparedFile>& batch) {
    moves_.clear();
    for (const PreparedFile& file : batch)
      if (file.outcome == PreparedFile::Outcome::Rename && file.target != file.source &&
          !platform::SameIgnoringCase(file.source, file.target))
        moves_.push_back({file.source, file.target, file.facts});
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
      case PreparedFile::Outcome::Skipped:  // classification cut short: no line
        return;
      case PreparedFile::Outcome::Rename:
        break;
    }
    Breathe();
    if (run_.Options.SetFileStamp && file.moment != 0 && !Stamp(file)) return;
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
    try {
      if (run_.Options.CopyFiles)
        CopyFileExt(files_, source, target, replace);
      else if (letterCaseOnly)
        RenameLetterCase(files_, source, target);
      else
        MoveFileExt(files_, source, target, replace);
      ++count_;
      ++run_.Result.Transferred;
    } catch (const EInOutError& failure) {
      Report(tRunEventKind::CouldNotRename, file, {}, failure.ErrorCode());
    }
  }

  // The /T stamp: both file times become the moment, unless both already are. A file
  // that cannot be opened for writing (a read-only one) is left alone. False, with its
  // event, when the times could not be written: the file then keeps its name.
  bool Stamp(const PreparedFile& file) {
    int code = 0;
    const std::unique_ptr<platform::StampableFile> stamp = files_.OpenForStamp(file.source, code);
    if (!stamp) return true;
    platform::FileTimes times;
    if (stamp->Times(times) && times.creation == file.moment && times.lastWrite == file.moment)
      return true;
    code = stamp->Stamp(file.moment);
    if (code == 0) return true;
    Report(tRunEventKind::CouldNotStamp, file, {}, code);
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
  std::vector<tPlannedMove> moves_;
  std::string counter_;
  int32_t count_ = 0;
};

}  // namespace

int32_t RenameDirectory(tRun& run, const std::string& pathPattern) {
  PassState state;
  return DirectoryPass(run, pathPattern, state).Run();
}
