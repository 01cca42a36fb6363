#include "engine/journal/JournalledFileSystem.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "engine/journal/Journal.h"
#include "platform/Errors.h"
#include "platform/FileTimes.h"
#include "platform/Path.h"

namespace {

// A stamp that is journalled before it is written.
class JournalledStamp final : public platform::StampableFile {
 public:
  JournalledStamp(std::unique_ptr<platform::StampableFile> inner, tJournalledFileSystem& owner,
                  std::string path)
      : inner_(std::move(inner)), owner_(owner), path_(std::move(path)) {}

  bool Facts(platform::FileFacts& facts) override { return inner_->Facts(facts); }
  bool Times(platform::FileTimes& times) override { return inner_->Times(times); }

  int Stamp(TDateTime localTime) override {
    platform::FileFacts before;
    // Times that cannot be recorded cannot be put back: the file is left as it is.
    if (!inner_->Facts(before)) return platform::SystemCode(platform::KnownError::InputOutput);
    tJournalRecord record;
    record.Kind = tJournalKind::Times;
    record.From = owner_.Absolute(path_);
    record.Facts = before;
    record.Times = before;
    record.Times.modified = platform::StampedTime(localTime);
    if (before.created != platform::kNoTime) record.Times.created = record.Times.modified;
    const int64_t number = owner_.Journal().Begin(std::move(record));
    const int code = inner_->Stamp(localTime);
    if (code != 0) {
      owner_.Journal().Failed(number, code);
      return code;
    }
    owner_.Journal().Done(number);
    owner_.NoteStamp(path_, before);
    return 0;
  }

 private:
  std::unique_ptr<platform::StampableFile> inner_;
  tJournalledFileSystem& owner_;
  std::string path_;
};

}  // namespace

tJournalledFileSystem::tJournalledFileSystem(platform::FileSystem& inner, tJournal& journal)
    : ForwardingFileSystem(inner), journal_(journal) {}

const std::string& tJournalledFileSystem::AbsoluteFolder(const std::string& path) {
  // Most paths of a run share their folder with the one before: it is looked up once,
  // and compared in place.
  const size_t last = platform::LastDelimiter(path);
  const size_t length = last == std::string::npos ? 0 : last + 1;
  if (absoluteKnown_ && length == lastFolder_.size() && path.compare(0, length, lastFolder_) == 0)
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

std::string tJournalledFileSystem::Absolute(const std::string& path) {
  std::string absolute;
  AbsoluteInto(absolute, path);
  return absolute;
}

void tJournalledFileSystem::AbsoluteInto(std::string& out, const std::string& path) {
  out = AbsoluteFolder(path);
  const size_t folder = out.size();
  out.append(path, lastFolder_.size());
  platform::MakeNative(out, folder);
}

void tJournalledFileSystem::Clean(const std::string& path) {
  // Most files of a run share a handful of folders: each is scanned once.
  const std::string& folder = AbsoluteFolder(path);
  if (folderChanges_ == cleanedAt_) return;  // the folder of the last call
  cleanedAt_ = folderChanges_;
  if (cleaned_.insert(folder).second) Inner().RemoveStaleTemporaries(lastFolder_);
}

std::vector<std::string> tJournalledFileSystem::ListFiles(const std::string& pattern) {
  Clean(pattern);
  return Inner().ListFiles(pattern);
}

std::unique_ptr<platform::ReadableFile> tJournalledFileSystem::OpenForReading(
    const std::string& path) {
  std::unique_ptr<platform::ReadableFile> file = Inner().OpenForReading(path);
  notedPath_ = path;
  notedFacts_ = file->Facts();
  return file;
}

std::unique_ptr<platform::StampableFile> tJournalledFileSystem::OpenForStamp(
    const std::string& path, int& code) {
  std::unique_ptr<platform::StampableFile> file = Inner().OpenForStamp(path, code);
  if (!file) return nullptr;
  return std::make_unique<JournalledStamp>(std::move(file), *this, path);
}

void tJournalledFileSystem::NoteStamp(const std::string& path, const platform::FileFacts& before) {
  if (path == notedPath_) notedPath_.clear();  // the times it was opened with are gone
  stampedPath_ = path;
  beforeStamp_ = before;
}

int tJournalledFileSystem::SetExactTimes(const std::string& path, int64_t modified,
                                         int64_t created) {
  platform::FileFacts now;
  if (!Inner().ReadFacts(path, now)) return platform::SystemCode(platform::KnownError::InputOutput);
  platform::FileFacts wanted = now;
  wanted.modified = modified;
  wanted.created = created;
  return SetTimes(path, now, wanted);
}

int tJournalledFileSystem::SetTimes(const std::string& path, const platform::FileFacts& now,
                                    const platform::FileFacts& wanted) {
  tJournalRecord record;
  record.Kind = tJournalKind::Times;
  record.From = Absolute(path);
  record.Facts = now;
  record.Times = wanted;
  const int64_t number = journal_.Begin(std::move(record));
  const int code = Inner().SetExactTimes(path, wanted.modified, wanted.created);
  code == 0 ? journal_.Done(number) : journal_.Failed(number, code);
  return code;
}

int tJournalledFileSystem::MakeFolders(const std::string& folder) {
  if (Inner().DirectoryExists(folder)) return 0;
  // Outermost first, every level that is missing.
  std::vector<std::string> missing;
  for (std::string level = folder; !level.empty() && !Inner().DirectoryExists(level);) {
    while (level.size() > 1 && platform::IsPathDelimiter(level.back())) level.pop_back();
    missing.push_back(level);
    const std::string parent = platform::ExtractFilePath(level);
    if (parent == level || parent.empty()) break;
    level = parent;
  }
  std::vector<tJournalRecord> records;
  for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
    tJournalRecord record;
    record.Kind = tJournalKind::MakeFolder;
    record.From = Absolute(*level);
    records.push_back(std::move(record));
  }
  journal_.BeginAll(records);
  const int code = Inner().MakeFolders(folder);
  for (const tJournalRecord& record : records)
    code == 0 ? journal_.Done(record.Number) : journal_.Failed(record.Number, code);
  return code;
}

int tJournalledFileSystem::RemoveEmptyFolder(const std::string& folder) {
  if (const int code = Inner().RemoveEmptyFolder(folder)) return code;
  tJournalRecord record;
  record.Kind = tJournalKind::RemoveFolder;
  record.From = Absolute(folder);
  journal_.Done(journal_.Begin(std::move(record)));
  return 0;
}

int tJournalledFileSystem::RemoveFile(const std::string& path, bool) {
  // A run removes nothing but the copies it made itself: a group that could not be
  // copied whole takes its copies back.
  const auto copy = std::find_if(copies_.begin(), copies_.end(),
                                 [&](const MadeCopy& made) { return made.copy == path; });
  if (copy == copies_.end())
    throw std::logic_error("a journalled run removes only the copies it has just made");
  const MadeCopy made = *copy;
  copies_.erase(copy);
  return RemoveCopy(made.source, made.copy, made.sourceFacts);
}

int tJournalledFileSystem::RemoveCopy(const std::string& source, const std::string& copy,
                                      const platform::FileFacts& facts) {
  tJournalRecord record;
  record.Kind = tJournalKind::Uncopy;
  record.From = Absolute(source);
  record.To = Absolute(copy);
  record.Facts = facts;
  const int64_t number = journal_.Begin(std::move(record));
  const int code = Inner().RemoveFile(copy, true);
  code == 0 ? journal_.Done(number) : journal_.Failed(number, code);
  return code;
}

int64_t tJournalledFileSystem::BeginTransfer(tJournalKind kind, const std::string& source,
                                             const std::string& target, bool replace) {
  Clean(target);
  if (kind == tJournalKind::Move && !replace) {
    // A planned move has its record already.
    for (auto planned = planned_.begin(); planned != planned_.end(); ++planned) {
      if (planned->move.Source != source || planned->move.Target != target) continue;
      const int64_t number = planned->number;
      planned_.erase(planned);
      return number;
    }
  }
  tJournalRecord record;
  record.Kind = kind;
  record.From = Absolute(source);
  record.To = Absolute(target);
  // What the reader saw a moment ago is what a look now would see, unless the stamp
  // has changed the times since.
  if (source == notedPath_)
    record.Facts = notedFacts_;
  else
    Inner().ReadFacts(source, record.Facts);
  notedPath_.clear();
  if (source == stampedPath_) {
    record.Stamped = true;
    record.BeforeStamp = beforeStamp_;
  }
  record.Replaced = replace && Inner().FileExists(target);
  return journal_.Begin(std::move(record));
}

void tJournalledFileSystem::EndTransfer(int64_t number, int code) {
  code == 0 ? journal_.Done(number) : journal_.Failed(number, code);
}

int tJournalledFileSystem::Move(const std::string& source, const std::string& target,
                                bool replace) {
  const int64_t number = BeginTransfer(tJournalKind::Move, source, target, replace);
  const int code = Inner().Move(source, target, replace);
  EndTransfer(number, code);
  return code;
}

int tJournalledFileSystem::Copy(const std::string& source, const std::string& target,
                                bool replace) {
  const int64_t number = BeginTransfer(tJournalKind::Copy, source, target, replace);
  const int code = Inner().Copy(source, target, replace);
  EndTransfer(number, code);
  if (code == 0) {
    MadeCopy made{source, target, {}};
    Inner().ReadFacts(source, made.sourceFacts);
    copies_.push_back(std::move(made));
    if (copies_.size() > kCopiesKept) copies_.pop_front();
  }
  return code;
}

int tJournalledFileSystem::RenameLetterCase(
    const std::string& source, const std::string& target,
    const std::function<void(const std::string&)>& beforeDetour) {
  const int64_t number = BeginTransfer(tJournalKind::Move, source, target, false);
  const int code = Inner().RenameLetterCase(source, target, [&](const std::string& temporary) {
    journal_.Via(number, Absolute(temporary));
    if (beforeDetour) beforeDetour(temporary);
  });
  EndTransfer(number, code);
  return code;
}

void tJournalledFileSystem::Plan(std::vector<tPlannedMove>& moves) {
  // One record a file of the run: the buffers of the last batch are filled again.
  records_.resize(moves.size());
  for (size_t i = 0; i < moves.size(); ++i) {
    Clean(moves[i].Target);
    tJournalRecord& record = records_[i];
    record.Kind = tJournalKind::Move;
    AbsoluteInto(record.From, moves[i].Source);
    AbsoluteInto(record.To, moves[i].Target);
    record.Facts = moves[i].Facts;
  }
  journal_.BeginAll(records_);
  for (size_t i = 0; i < moves.size(); ++i)
    planned_.push_back({std::move(moves[i]), records_[i].Number});
  moves.clear();
}

void tJournalledFileSystem::Forget() {
  for (const PlannedRecord& planned : planned_) journal_.Dropped(planned.number);
  planned_.clear();
}
