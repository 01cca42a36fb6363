#include "engine/journal/Undo.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "engine/journal/JournalledFileSystem.h"
#include "engine/pass/Run.h"
#include "engine/pass/Transfer.h"
#include "platform/AsciiCase.h"
#include "platform/Errors.h"
#include "platform/Path.h"

namespace {

using platform::FileFacts;

bool IsTransfer(const tJournalRecord& record) {
  return record.Kind == tJournalKind::Move || record.Kind == tJournalKind::Copy ||
         record.Kind == tJournalKind::Uncopy;
}

bool SameTimes(const FileFacts& a, const FileFacts& b) {
  return a.modified == b.modified && (a.created == b.created || a.created == platform::kNoTime ||
                                      b.created == platform::kNoTime);
}

// Times records that a later move or copy of the same file takes back with it.
std::set<size_t> CoveredTimes(const std::vector<tJournalRecord>& records) {
  std::set<size_t> covered;
  std::set<std::string> movedLater;
  for (size_t i = records.size(); i-- > 0;) {
    const tJournalRecord& record = records[i];
    if (record.Untaken()) continue;
    if (record.Kind == tJournalKind::Move || record.Kind == tJournalKind::Copy)
      movedLater.insert(record.From);
    if (record.Kind == tJournalKind::Times && movedLater.count(record.From)) covered.insert(i);
  }
  return covered;
}

// Steps the run took back itself (a group that could not move whole): a move and the
// move back, a copy and its removal. Neither is undone.
std::set<size_t> ReversedInRun(const std::vector<tJournalRecord>& records) {
  std::set<size_t> reversed;
  std::map<std::string, size_t> putThere;  // path -> the done move or copy that put a file there
  for (size_t i = 0; i < records.size(); ++i) {
    const tJournalRecord& record = records[i];
    if (record.State != tJournalState::Done) continue;
    const bool back = record.Kind == tJournalKind::Move || record.Kind == tJournalKind::Uncopy;
    const auto earlier =
        putThere.find(record.Kind == tJournalKind::Uncopy ? record.To : record.From);
    if (back && earlier != putThere.end()) {
      const tJournalRecord& first = records[earlier->second];
      const bool undone = record.Kind == tJournalKind::Move
                              ? first.Kind == tJournalKind::Move && first.From == record.To
                              : first.Kind == tJournalKind::Copy && first.From == record.From;
      if (undone) {
        reversed.insert(earlier->second);
        reversed.insert(i);
        putThere.erase(earlier);
        continue;
      }
    }
    if (record.Kind == tJournalKind::Move) putThere.erase(record.From);
    if (record.Kind == tJournalKind::Move || record.Kind == tJournalKind::Copy)
      putThere[record.To] = i;
  }
  return reversed;
}

// Which transfers put a file where a later transfer of the same run replaced it (that
// file cannot come back), and which replaced a file that the run itself had put there.
struct Replacements {
  std::vector<bool> lostToLater;
  std::vector<bool> replacedOwn;
};

Replacements FindReplacements(const std::vector<tJournalRecord>& records) {
  Replacements found{std::vector<bool>(records.size()), std::vector<bool>(records.size())};
  std::map<std::string, size_t> holder;  // path -> the transfer that put a file there last
  for (size_t i = 0; i < records.size(); ++i) {
    const tJournalRecord& record = records[i];
    if (record.Untaken()) continue;
    if (record.Kind == tJournalKind::Move) holder.erase(record.From);
    if (record.Kind != tJournalKind::Move && record.Kind != tJournalKind::Copy) continue;
    const auto earlier = holder.find(record.To);
    if (record.Replaced && earlier != holder.end()) {
      found.lostToLater[earlier->second] = true;
      found.replacedOwn[i] = true;
    }
    holder[record.To] = i;
  }
  return found;
}

class Undo {
 public:
  Undo(const tJournalContents& contents, tRun& run, tJournalledFileSystem& files)
      : contents_(contents),
        run_(run),
        files_(files),
        replacements_(FindReplacements(contents.Records)) {}

  tUndoResult Run() {
    for (int line : contents_.UnreadableLines) {
      tRunEvent event;
      event.Kind = tRunEventKind::UnreadableLine;
      event.Number = line;
      Report(event);
    }
    const std::vector<tJournalRecord>& records = contents_.Records;
    const std::set<size_t> covered = CoveredTimes(records);
    const std::set<size_t> reversed = ReversedInRun(records);
    // The folders the run made go last: with the intents of many moves written before
    // them, a folder's record can come after the moves into it.
    std::vector<const tJournalRecord*> folders;
    for (size_t i = records.size(); i-- > 0 && !run_.Stopped();) {
      const tJournalRecord& record = records[i];
      if (record.Untaken() || covered.count(i) || reversed.count(i)) continue;
      if (record.Kind == tJournalKind::MakeFolder) {
        folders.push_back(&record);
        continue;
      }
      if (run_.Events != nullptr) run_.Events->Breathe();
      if (run_.Stopped()) break;
      replacedOwn_ = replacements_.replacedOwn[i];
      if (replacements_.lostToLater[i] &&
          (record.Kind == tJournalKind::Move || record.Kind == tJournalKind::Copy) &&
          !Unchanged(record.To, record.Facts)) {
        // A copy that a later file replaced leaves its source: nothing is missing.
        if (record.Kind == tJournalKind::Move) LostToLater(record);
        continue;
      }
      switch (record.Kind) {
        case tJournalKind::Move:
          UndoMove(record);
          break;
        case tJournalKind::Copy:
          UndoCopy(record);
          break;
        case tJournalKind::Uncopy:
          UndoUncopy(record);
          break;
        case tJournalKind::Times:
          UndoTimes(record);
          break;
        case tJournalKind::RemoveFolder:
          files_.MakeFolders(record.From);
          break;
        case tJournalKind::MakeFolder:
          break;
      }
    }
    // Innermost first, as they were made outermost first.
    std::stable_sort(folders.begin(), folders.end(),
                     [](const tJournalRecord* a, const tJournalRecord* b) {
                       return a->From.size() > b->From.size();
                     });
    for (const tJournalRecord* folder : folders)
      if (!run_.Stopped() && files_.DirectoryExists(folder->From))
        files_.RemoveEmptyFolder(folder->From);
    if (run_.Events != nullptr) run_.Events->PassEnded();
    return result_;
  }

 private:
  // The file is there with the recorded size and modification time.
  bool Unchanged(const std::string& path, const FileFacts& facts) {
    FileFacts now;
    return files_.ReadFacts(path, now) && now.size == facts.size && now.modified == facts.modified;
  }

  // The two files hold the same bytes. A file that cannot be read holds none we know.
  bool SameContents(const std::string& first, const std::string& second) {
    try {
      const std::unique_ptr<platform::ReadableFile> a = files_.OpenForReading(first);
      const std::unique_ptr<platform::ReadableFile> b = files_.OpenForReading(second);
      if (a->Facts().size != b->Facts().size) return false;
      std::vector<char> x(1 << 20), y(1 << 20);
      for (int64_t at = 0;;) {
        const size_t n = a->ReadAt(at, x.data(), x.size());
        if (b->ReadAt(at, y.data(), y.size()) != n ||
            !std::equal(x.begin(), x.begin() + static_cast<long>(n), y.begin()))
          return false;
        if (n == 0) return true;
        at += static_cast<int64_t>(n);
      }
    } catch (const EFOpenError&) {
      return false;
    } catch (const EReadError&) {
      return false;
    }
  }

  void UndoMove(const tJournalRecord& record) {
    const bool done = record.State == tJournalState::Done;
    std::string at = record.To;
    if (!Unchanged(at, record.Facts)) {
      if (!record.Via.empty() && Unchanged(record.Via, record.Facts)) {
        at = record.Via;  // stopped half way through a letter-case rename
      } else if (!done && Unchanged(record.From, record.Facts)) {
        // The run stopped before this move, perhaps after the stamp.
        if (record.Stamped) PutStampBack(record);
        return;
      } else {
        Refuse(record.To, files_.FileExists(record.To) ? tUndoRefusal::ChangedSince
                                                       : tUndoRefusal::NoLongerThere);
        return;
      }
    }
    const bool sameFile =
        platform::SameIgnoringCase(at, record.From) && files_.IsSameFile(at, record.From);
    if (!sameFile && (files_.FileExists(record.From) || files_.DirectoryExists(record.From))) {
      // A move to another file system that stopped after its copy was complete leaves
      // the file twice: the copy goes.
      if (!done && Unchanged(record.From, record.Facts) && SameContents(record.From, at)) {
        if (files_.RemoveCopy(record.From, at, record.Facts) == 0)
          Line(tRunEventKind::LeftCopyRemoved, at, record.From);
        else
          Refuse(at, tUndoRefusal::CouldNotRemoveCopy);
        if (record.Stamped) PutStampBack(record);
        return;
      }
      Refuse(at, tUndoRefusal::NameTaken, record.From);
      return;
    }
    const std::string folder = platform::ExtractFilePath(record.From);
    if (!folder.empty()) files_.MakeFolders(folder);
    try {
      if (sameFile)
        RenameLetterCase(files_, at, record.From);
      else
        MoveFileExt(files_, at, record.From, false);
    } catch (const EInOutError&) {
      Refuse(at, tUndoRefusal::CouldNotMoveBack);
      return;
    }
    Line(tRunEventKind::MovedBack, at, record.From);
    if (!PutTimesBack(record.From, record.Stamped ? record.BeforeStamp : record.Facts))
      Refuse(record.From, tUndoRefusal::CouldNotPutTimesBack);
    if (record.Replaced && !replacedOwn_) Lost(record.To);
  }

  void UndoCopy(const tJournalRecord& record) {
    const bool done = record.State == tJournalState::Done;
    if (!files_.FileExists(record.To)) {
      if (done) Refuse(record.To, tUndoRefusal::NoLongerThere);
    } else if (!Unchanged(record.To, record.Facts)) {
      if (done) Refuse(record.To, tUndoRefusal::ChangedSince);
    } else if (!files_.FileExists(record.From)) {
      Refuse(record.To, tUndoRefusal::SourceGone, record.From);
    } else if (!SameContents(record.From, record.To)) {
      Refuse(record.To, tUndoRefusal::DiffersFromSource, record.From);
    } else if (files_.RemoveCopy(record.From, record.To, record.Facts) != 0) {
      Refuse(record.To, tUndoRefusal::CouldNotRemoveCopy);
    } else {
      Line(tRunEventKind::CopyRemoved, record.To);
      if (record.Replaced && !replacedOwn_) Lost(record.To);
    }
    // The stamp was written on the source before it was copied.
    if (record.Stamped && Unchanged(record.From, record.Facts)) PutStampBack(record);
  }

  // The undo of an undo that removed a copy: the copy is made again.
  void UndoUncopy(const tJournalRecord& record) {
    if (files_.FileExists(record.To)) {
      if (record.State == tJournalState::Done)
        Refuse(record.To, tUndoRefusal::NameTaken, record.To);
      return;
    }
    if (!Unchanged(record.From, record.Facts)) {
      Refuse(record.From, tUndoRefusal::ChangedSince);
      return;
    }
    try {
      CopyFileExt(files_, record.From, record.To, false);
    } catch (const EInOutError&) {
      Refuse(record.From, tUndoRefusal::CouldNotCopyAgain);
      return;
    }
    Line(tRunEventKind::CopiedAgain, record.From, record.To);
  }

  void UndoTimes(const tJournalRecord& record) {
    FileFacts now;
    if (!files_.ReadFacts(record.From, now)) {
      Refuse(record.From, tUndoRefusal::NoLongerThere);
    } else if (SameTimes(now, record.Facts)) {
      // never set, or back already
    } else if (now.size != record.Facts.size || !SameTimes(now, record.Times)) {
      Refuse(record.From, tUndoRefusal::ChangedSince);
    } else if (files_.SetTimes(record.From, now, record.Facts) != 0) {
      Refuse(record.From, tUndoRefusal::CouldNotPutTimesBack);
    } else {
      Line(tRunEventKind::TimesPutBack, record.From);
    }
  }

  // The times the file had before the run's stamp.
  void PutStampBack(const tJournalRecord& record) {
    if (!PutTimesBack(record.From, record.BeforeStamp))
      Refuse(record.From, tUndoRefusal::CouldNotPutTimesBack);
  }

  // False when the times had to be set and could not be.
  bool PutTimesBack(const std::string& path, const FileFacts& wanted) {
    FileFacts now;
    if (!files_.ReadFacts(path, now)) return false;
    if (SameTimes(now, wanted)) return true;
    FileFacts times = wanted;
    if (now.created == platform::kNoTime) times.created = platform::kNoTime;
    return files_.SetTimes(path, now, times) == 0;
  }

  void Report(tRunEvent& event) {
    if (event.Kind != tRunEventKind::UnreadableLine) event.Number = ++lineNumber_;
    run_.Report(event);
  }

  void Line(tRunEventKind kind, const std::string& path, const std::string& target = {}) {
    ++result_.Undone;
    tRunEvent event;
    event.Kind = kind;
    event.Path = path;
    event.Target = target;
    Report(event);
  }

  void Refuse(const std::string& path, tUndoRefusal why, const std::string& other = {}) {
    ++result_.Refused;
    tRunEvent event;
    event.Kind = tRunEventKind::NotUndone;
    event.Path = path;
    event.Reason = why;
    event.Other = other;
    Report(event);
  }

  void Lost(const std::string& path) {
    ++result_.Lost;
    tRunEvent event;
    event.Kind = tRunEventKind::CannotComeBack;
    event.Path = path;
    Report(event);
  }

  // A later file of the run took the place this one was moved to.
  void LostToLater(const tJournalRecord& record) {
    ++result_.Lost;
    tRunEvent event;
    event.Kind = tRunEventKind::ReplacedByLater;
    event.Path = record.From;
    event.Target = record.To;
    Report(event);
  }

  const tJournalContents& contents_;
  tRun& run_;
  tJournalledFileSystem& files_;
  const Replacements replacements_;
  bool replacedOwn_ = false;  // the current step replaced a file of the run, not one from before
  tUndoResult result_;
  int32_t lineNumber_ = 0;
};

}  // namespace

int32_t CountJournalFiles(const tJournalContents& contents) {
  const std::set<size_t> covered = CoveredTimes(contents.Records);
  const std::set<size_t> reversed = ReversedInRun(contents.Records);
  int32_t count = 0;
  for (size_t i = 0; i < contents.Records.size(); ++i) {
    const tJournalRecord& record = contents.Records[i];
    if (record.Untaken() || covered.count(i) || reversed.count(i)) continue;
    count += IsTransfer(record) || record.Kind == tJournalKind::Times;
  }
  return count;
}

tUndoResult UndoJournal(const tJournalContents& contents, tRun& run, tJournalledFileSystem& files) {
  return Undo(contents, run, files).Run();
}
