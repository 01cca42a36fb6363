#include "engine/RenameDirectory.h"

#include <memory>
#include <vector>

#include "engine/Disk.h"
#include "engine/FormatTimestamp.h"
#include "engine/PassDisk.h"
#include "engine/Progress.h"
#include "engine/ReadAhead.h"
#include "engine/RunState.h"
#include "engine/TargetName.h"
#include "platform/AsciiCase.h"
#include "platform/Errors.h"
#include "platform/Messages.h"
#include "platform/Path.h"
#include "readers/OpenReader.h"

namespace {

// The folder part of a pattern, ending in a separator, or empty for the working folder.
std::string DirectoryPrefix(const std::string& pattern) {
  std::string prefix = platform::ExtractFilePath(pattern);
  if (!prefix.empty() && prefix.back() != platform::PathSeparator()) prefix += platform::PathSeparator();
  return prefix;
}

// A failure while writing a progress line must not stop the pass.
template <typename Write>
void Report(Write write) {
  tProgressSink* sink = ProgressWindow();
  if (sink == nullptr) return;
  try {
    write(*sink);
  } catch (const EInOutError&) {
  }
}

void ReportLine(int32_t n, const std::string& source, const std::string& target) {
  Report([&](tProgressSink& sink) {
    sink.AddLine("Stampel " + std::to_string(n) + ": " + source + " -> " + target, 1);
  });
}

void ReportProblem(int32_t n, const std::string& source, const char* what) {
  Report([&](tProgressSink& sink) {
    sink.AddAlertLine("Stampel " + std::to_string(n) + ": " + source + " -> " + what, 0);
  });
}

class DirectoryPass {
 public:
  DirectoryPass(const tRunOptions& options, const std::string& pattern, tPassDisk& disk)
      : options_(options),
        pattern_(platform::NativePath(pattern)),
        prefix_(DirectoryPrefix(pattern_)),
        disk_(disk) {}

  int32_t Run() {
    KeepRunning = true;
    // Both lists are taken before anything changes: a file renamed into this folder, or a
    // folder the renames create, is not processed again by this call.
    std::vector<std::string> files = disk_.ListFiles(pattern_);
    const std::vector<std::string> folders =
        options_.Recurse ? disk_.ListSubdirectories(prefix_) : std::vector<std::string>();
    ReadAhead readAhead(prefix_, files);  // the next files' heads are read meanwhile
    for (size_t i = 0; i < files.size(); ++i) {
      if (!KeepRunning) break;
      readAhead.Reached(i);
      ProcessFile(static_cast<int32_t>(i + 1), prefix_ + files[i]);
    }
    readAhead.Stop();
    files.clear();
    platform::ProcessMessages();
    if (options_.Recurse && KeepRunning) {
      const std::string namePart = platform::ExtractFileName(pattern_);
      for (const std::string& folder : folders) {
        if (!KeepRunning) break;
        count_ += RenameDirectory(options_, prefix_ + folder + platform::PathSeparator() + namePart,
                                  disk_);
      }
    }
    Report([](tProgressSink& sink) { sink.ClearStatus(); });
    return count_;
  }

 private:
  void ProcessFile(int32_t n, const std::string& source) {
    std::unique_ptr<tBaseFile> reader;
    try {
      reader = OpenReader(disk_.ContentPath(source));
    } catch (const EExifException&) {
      ReportProblem(n, source, "no Exif information available");
      return;
    }
    if (!reader) return;  // classification cut short: skipped without a line
    if (reader->Stream) disk_.NoteFacts(source, reader->Stream->FactsWhenOpened());
    platform::ProcessMessages();

    std::string target;
    try {
      target = ComposeFor(*reader, source);
    } catch (const EInOutError&) {
      return;  // the file keeps its name; the counter has advanced
    }
    reader.reset();  // the file must not be open while it is moved

    if (target == source) {
      ReportProblem(n, source, "nothing to rename");
      return;
    }
    if (TryPlainMove(n, source, target)) return;
    bool replace = false;
    bool letterCaseOnly = false;
    if (disk_.FileExists(target)) {
      if (disk_.IsSameFile(source, target)) {
        // The target is the source under another spelling: never delete or displace it.
        letterCaseOnly = !options_.CopyFiles && platform::SameIgnoringCase(source, target);
        if (!letterCaseOnly) target = FreeName(target);
      } else if (options_.Overwrite) {
        replace = true;  // replaced in the same step as the transfer, never deleted before it
      } else {
        target = FreeName(target);
      }
    }
    ReportLine(n, source, target);
    try {
      if (options_.CopyFiles)
        disk_.Copy(source, target, replace);
      else if (letterCaseOnly)
        disk_.RenameLetterCase(source, target);
      else
        disk_.Move(source, target, replace);
      ++count_;
    } catch (const EInOutError&) {
      ReportProblem(n, source, "couldn't rename this file");
    }
  }

  // The common case of a bulk rename: a move to a name nobody holds. The move itself
  // refuses an existing target, so asking first would only look the name up twice; the
  // line follows the move at once. False, with nothing done, when the name is held (or
  // the case needs the full treatment): the collision rules then take over.
  bool TryPlainMove(int32_t n, const std::string& source, const std::string& target) {
    if (options_.CopyFiles || options_.Overwrite || platform::SameIgnoringCase(source, target))
      return false;
    const int code = disk_.TryMove(source, target);
    if (code != 0 && disk_.FileExists(target)) return false;
    ReportLine(n, source, target);
    if (code == 0)
      ++count_;
    else
      ReportProblem(n, source, "couldn't rename this file");
    return true;
  }

  // The target of one file; stamps the file on the way when asked.
  std::string ComposeFor(tBaseFile& reader, const std::string& source) {
    TDateTime moment = options_.OriginalFirst ? reader.GetDateTimeOriginal() : reader.GetDateTime();
    if (moment == 0) moment = options_.OriginalFirst ? reader.GetDateTime() : reader.GetDateTimeOriginal();
    std::string stem = moment > 0 ? FormatTimestamp(options_.Format, moment) : std::string();
    stem = CleanTargetName(ApplyKeywords(stem, reader));
    if (options_.UseCounter) counter_ = CounterText(++FileCounter, options_.CounterWidth);
    if (options_.SetFileStamp && moment != 0) disk_.Stamp(source, moment);
    // A file without a date keeps its name (it is reported as nothing to rename): a name
    // made of the counter and extension alone would tell the user nothing.
    if (moment <= 0) return source;
    const std::string target = ComposeTarget(prefix_, stem, source, counter_, options_.DropOldName);
    // A folder that cannot be made shows as a failed move or copy.
    const std::string folder = platform::ExtractFilePath(target);
    if (!folder.empty()) disk_.MakeFolder(folder);
    return target;
  }

  std::string FreeName(const std::string& target) {
    return UniqueFileName(target,
                          [this](const std::string& name) { return disk_.FileExists(name); });
  }

  const tRunOptions& options_;
  const std::string pattern_;
  const std::string prefix_;
  tPassDisk& disk_;
  std::string counter_;
  int32_t count_ = 0;
};

}  // namespace

int32_t RenameDirectory(const tRunOptions& options, const std::string& pathPattern,
                        tPassDisk& disk) {
  return DirectoryPass(options, pathPattern, disk).Run();
}

int32_t RenameDirectory(const tRunOptions& options, const std::string& pathPattern) {
  tRealDisk disk;
  return RenameDirectory(options, pathPattern, disk);
}
