#include <utility>

#include "engine/Disk.h"
#include "engine/Journal.h"
#include "engine/PassDisk.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FileTimes.h"
#include "platform/Path.h"

namespace {

[[noreturn]] void FailStamp() {
  throw EInOutError(platform::SystemErrorMessage(platform::LastErrorCode()),
                    platform::LastErrorCode());
}

}  // namespace

const std::string& tRealDisk::AbsoluteFolder(const std::string& path) {
  // Most paths of a run share their folder with the one before: it is looked up once,
  // and compared in place.
  const size_t last = platform::LastDelimiter(path);
  const size_t length = last == std::string::npos ? 0 : last + 1;
  if (absoluteKnown_ && length == lastFolder_.size() &&
      path.compare(0, length, lastFolder_) == 0)
    return lastAbsoluteFolder_;
  lastFolder_.assign(path, 0, length);
  std::string absolute = platform::AbsolutePath(length == 0 ? std::string(".") : lastFolder_);
  if (absolute.size() >= 2 && absolute.back() == '.' &&
      platform::IsPathDelimiter(absolute[absolute.size() - 2]))
    absolute.pop_back();
  if (absolute.empty() || !platform::IsPathDelimiter(absolute.back()))
    absolute += platform::PathSeparator();
  lastAbsoluteFolder_ = std::move(absolute);
  absoluteKnown_ = true;
  ++folderChanges_;
  return lastAbsoluteFolder_;
}

std::string tRealDisk::Absolute(const std::string& path) {
  const std::string& folder = AbsoluteFolder(path);
  return folder + platform::NativePath(path.substr(lastFolder_.size()));
}

void tRealDisk::Clean(const std::string& path) {
  // Most files of a run share a handful of folders: each is scanned once.
  const std::string& folder = AbsoluteFolder(path);
  if (folderChanges_ == cleanedAt_) return;  // the folder of the last call
  cleanedAt_ = folderChanges_;
  if (cleaned_.insert(folder).second) platform::RemoveStaleTemporaries(lastFolder_);
}

std::vector<std::string> tRealDisk::ListFiles(const std::string& pattern) {
  Clean(pattern);
  return platform::ListFiles(pattern);
}

std::vector<std::string> tRealDisk::ListSubdirectories(const std::string& folder) {
  return platform::ListSubdirectories(folder);
}

void tRealDisk::NoteFacts(const std::string& path, const platform::FileFacts& facts) {
  if (!journal_) return;
  notedPath_ = path;
  notedFacts_ = facts;
}

bool tRealDisk::FileExists(const std::string& path) { return platform::FileExists(path); }

bool tRealDisk::IsSameFile(const std::string& first, const std::string& second) {
  return platform::IsSameFile(first, second);
}

bool tRealDisk::MakeFolder(const std::string& folder) {
  // The folder of the last target is not asked for again: most targets share it.
  if (folder == knownFolder_) return true;
  if (platform::DirectoryExists(folder)) {
    knownFolder_ = folder;
    return true;
  }
  std::vector<int64_t> records;
  if (journal_) {
    // Outermost first, every level that is missing: an undo removes them again.
    std::vector<std::string> missing;
    for (std::string level = folder; !level.empty() && !platform::DirectoryExists(level);) {
      while (level.size() > 1 && platform::IsPathDelimiter(level.back())) level.pop_back();
      missing.push_back(level);
      const std::string parent = platform::ExtractFilePath(level);
      if (parent == level || parent.empty()) break;
      level = parent;
    }
    for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
      tJournalRecord record;
      record.kind = tJournalKind::MakeFolder;
      record.from = Absolute(*level);
      records.push_back(journal_->Begin(record));
    }
  }
  const bool made = platform::ForceDirectories(folder);
  const int code = platform::LastErrorCode();
  for (int64_t number : records) made ? journal_->Done(number) : journal_->Failed(number, code);
  if (made) knownFolder_ = folder;
  return made;
}

void tRealDisk::Stamp(const std::string& path, TDateTime moment) {
  if (path == notedPath_) notedPath_.clear();
  platform::FileStamp stamp;
  if (!stamp.Open(path)) return;
  platform::FileTimes times;
  if (stamp.Read(times) && times.creation == moment && times.lastWrite == moment) return;
  int64_t number = 0;
  platform::FileFacts before;
  const bool known = platform::ReadFileFacts(path, before);
  if (journal_ && known) {
    tJournalRecord record;
    record.kind = tJournalKind::Times;
    record.from = Absolute(path);
    record.facts = before;
    record.times = before;
    record.times.modified = platform::StampedTime(moment);
    if (before.created != platform::kNoTime) record.times.created = record.times.modified;
    number = journal_->Begin(record);
  }
  if (!stamp.Write(moment)) {
    if (number) journal_->Failed(number, platform::LastErrorCode());
    FailStamp();
  }
  if (number) journal_->Done(number);
  stampedPath_ = path;
  beforeStamp_ = before;
}

int64_t tRealDisk::BeginTransfer(tJournalKind kind, const std::string& source,
                                 const std::string& target, bool replace) {
  Clean(target);
  if (!journal_) return 0;
  tJournalRecord record;
  record.kind = kind;
  record.from = Absolute(source);
  record.to = Absolute(target);
  // What the reader saw a moment ago is what a look now would see, unless the stamp
  // has changed the times since.
  if (source == notedPath_)
    record.facts = notedFacts_;
  else
    platform::ReadFileFacts(source, record.facts);
  notedPath_.clear();
  if (source == stampedPath_) {
    record.stamped = true;
    record.beforeStamp = beforeStamp_;
  }
  record.replaced = replace && platform::FileExists(target);
  return journal_->Begin(std::move(record));
}

void tRealDisk::EndTransfer(int64_t number, int code) {
  if (number == 0) return;
  code == 0 ? journal_->Done(number) : journal_->Failed(number, code);
}

int tRealDisk::TryMove(const std::string& source, const std::string& target) {
  const int64_t number = BeginTransfer(tJournalKind::Move, source, target, false);
  const int code = platform::MoveFileSafely(source, target, false);
  EndTransfer(number, code);
  return code;
}

void tRealDisk::Move(const std::string& source, const std::string& target, bool replace) {
  const int64_t number = BeginTransfer(tJournalKind::Move, source, target, replace);
  try {
    MoveFileExt(source, target, replace);
  } catch (const EInOutError& failure) {
    EndTransfer(number, failure.ErrorCode() ? failure.ErrorCode() : -1);
    throw;
  }
  EndTransfer(number, 0);
}

void tRealDisk::Copy(const std::string& source, const std::string& target, bool replace) {
  const int64_t number = BeginTransfer(tJournalKind::Copy, source, target, replace);
  try {
    CopyFileExt(source, target, replace);
  } catch (const EInOutError& failure) {
    EndTransfer(number, failure.ErrorCode() ? failure.ErrorCode() : -1);
    throw;
  }
  EndTransfer(number, 0);
}

void tRealDisk::RenameLetterCase(const std::string& source, const std::string& target) {
  const int64_t number = BeginTransfer(tJournalKind::Move, source, target, false);
  try {
    ::RenameLetterCase(source, target, [&](const std::string& temporary) {
      if (number) journal_->Via(number, Absolute(temporary));
    });
  } catch (const EInOutError& failure) {
    EndTransfer(number, failure.ErrorCode() ? failure.ErrorCode() : -1);
    throw;
  }
  EndTransfer(number, 0);
}

bool tRealDisk::SetTimes(const std::string& path, const platform::FileFacts& now,
                         const platform::FileFacts& wanted) {
  int64_t number = 0;
  if (journal_) {
    tJournalRecord record;
    record.kind = tJournalKind::Times;
    record.from = Absolute(path);
    record.facts = now;
    record.times = wanted;
    number = journal_->Begin(record);
  }
  const bool set = platform::SetExactFileTimes(path, wanted.modified, wanted.created);
  if (number) set ? journal_->Done(number) : journal_->Failed(number, platform::LastErrorCode());
  return set;
}

bool tRealDisk::RemoveCopy(const std::string& source, const std::string& copy,
                           const platform::FileFacts& facts) {
  int64_t number = 0;
  if (journal_) {
    tJournalRecord record;
    record.kind = tJournalKind::Uncopy;
    record.from = Absolute(source);
    record.to = Absolute(copy);
    record.facts = facts;
    number = journal_->Begin(record);
  }
  const bool removed = platform::RemoveFile(copy, true);
  if (number)
    removed ? journal_->Done(number) : journal_->Failed(number, platform::LastErrorCode());
  return removed;
}

bool tRealDisk::RemoveFolder(const std::string& folder) {
  if (!platform::RemoveEmptyDirectory(folder)) return false;
  // Written after the fact: a folder that holds nothing costs nothing if it stays.
  if (journal_) {
    tJournalRecord record;
    record.kind = tJournalKind::RemoveFolder;
    record.from = Absolute(folder);
    journal_->Done(journal_->Begin(record));
  }
  if (knownFolder_ == folder) knownFolder_.clear();
  return true;
}
