// Dates for the files of the rename pass that hold none of their own (/E, /M), and the
// clock shift (/Z) of every date.

#include "engine/group/Grouping.h"
#include "engine/pass/DirectoryPass.h"
#include "platform/Clock.h"
#include "platform/Errors.h"
#include "platform/TimeZone.h"
#include "readers/FileNameDate.h"
#include "readers/OpenReader.h"
#include "readers/TakeoutJson.h"

namespace directory_pass {

bool DirectoryPass::ElsewhereAsked() const {
  return run_.Options.DatesFromElsewhere || run_.Options.FileTimeLastResort;
}

// A file of a known kind whose reader found no metadata (a JPEG without Exif, a PNG
// screenshot): dated from elsewhere as asked, or it holds no date as before.
void DirectoryPass::LookBare(LookedFile& looked, tFileKind kind) {
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
TDateTime DirectoryPass::Elsewhere(PreparedFile& file) {
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
TDateTime DirectoryPass::Shifted(TDateTime moment) const {
  if (moment == 0 || run_.Options.ClockShift == 0) return moment;
  return moment + static_cast<double>(run_.Options.ClockShift) / 86400000.0;
}

// The names of the folder's files: the grouping's when it has them, else listed once.
const tFolderNames& DirectoryPass::FolderNames() {
  if (groups_) return groups_->Names();
  if (!folderNames_) folderNames_ = std::make_unique<tFolderNames>(files_.ListFiles(prefix_ + "*"));
  return *folderNames_;
}

}  // namespace directory_pass
