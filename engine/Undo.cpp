#include "engine/Undo.h"

#include <map>
#include <set>
#include <vector>

#include "engine/PassDisk.h"
#include "engine/Progress.h"
#include "engine/RunState.h"
#include "platform/AsciiCase.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/InputFile.h"
#include "platform/Path.h"

namespace {

using platform::FileFacts;

bool IsTransfer(const tJournalRecord& record) {
  return record.kind == tJournalKind::Move || record.kind == tJournalKind::Copy ||
         record.kind == tJournalKind::Uncopy;
}

// The file is there with the recorded size and modification time.
bool Unchanged(const std::string& path, const FileFacts& facts) {
  FileFacts now;
  return platform::ReadFileFacts(path, now) && now.size == facts.size &&
         now.modified == facts.modified;
}

bool SameTimes(const FileFacts& a, const FileFacts& b) {
  return a.modified == b.modified && (a.created == b.created || a.created == platform::kNoTime ||
                                      b.created == platform::kNoTime);
}

bool SameContents(const std::string& first, const std::string& second) {
  try {
    platform::InputFile a(first);
    platform::InputFile b(second);
    if (a.SizeWhenOpened() != b.SizeWhenOpened()) return false;
    std::vector<char> x(1 << 20), y(1 << 20);
    for (;;) {
      const size_t n = a.Read(x.data(), x.size());
      if (b.Read(y.data(), y.size()) != n ||
          !std::equal(x.begin(), x.begin() + static_cast<long>(n), y.begin()))
        return false;
      if (n == 0) return true;
    }
  } catch (const EFOpenError&) {
    return false;
  }
}

// Times records that a later move or copy of the same file takes back with it.
std::set<size_t> CoveredTimes(const std::vector<tJournalRecord>& records) {
  std::set<size_t> covered;
  std::set<std::string> movedLater;
  for (size_t i = records.size(); i-- > 0;) {
    const tJournalRecord& record = records[i];
    if (record.state == tJournalState::Failed) continue;
    if (record.kind == tJournalKind::Move || record.kind == tJournalKind::Copy)
      movedLater.insert(record.from);
    if (record.kind == tJournalKind::Times && movedLater.count(record.from)) covered.insert(i);
  }
  return covered;
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
    if (record.state == tJournalState::Failed) continue;
    if (record.kind == tJournalKind::Move) holder.erase(record.from);
    if (record.kind != tJournalKind::Move && record.kind != tJournalKind::Copy) continue;
    const auto earlier = holder.find(record.to);
    if (record.replaced && earlier != holder.end()) {
      found.lostToLater[earlier->second] = true;
      found.replacedOwn[i] = true;
    }
    holder[record.to] = i;
  }
  return found;
}

class Undo {
 public:
  Undo(const tJournalContents& contents, tRealDisk& disk)
      : contents_(contents), disk_(disk), replacements_(FindReplacements(contents.records)) {}

  tUndoResult Run() {
    KeepRunning = true;
    for (int line : contents_.unreadableLines)
      Alert("Stampel: line " + std::to_string(line) + " of the journal cannot be read");
    const std::vector<tJournalRecord>& records = contents_.records;
    const std::set<size_t> covered = CoveredTimes(records);
    for (size_t i = records.size(); i-- > 0 && KeepRunning;) {
      const tJournalRecord& record = records[i];
      if (record.state == tJournalState::Failed || covered.count(i)) continue;
      replacedOwn_ = replacements_.replacedOwn[i];
      if (replacements_.lostToLater[i] &&
          (record.kind == tJournalKind::Move || record.kind == tJournalKind::Copy) &&
          !Unchanged(record.to, record.facts)) {
        // A copy that a later file replaced leaves its source: nothing is missing.
        if (record.kind == tJournalKind::Move) LostToLater(record);
        continue;
      }
      switch (record.kind) {
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
        case tJournalKind::MakeFolder:
          if (platform::DirectoryExists(record.from)) disk_.RemoveFolder(record.from);
          break;
        case tJournalKind::RemoveFolder:
          disk_.MakeFolder(record.from);
          break;
      }
    }
    if (tProgressSink* sink = ProgressWindow()) Write([&] { sink->ClearStatus(); });
    return result_;
  }

 private:
  void UndoMove(const tJournalRecord& record) {
    const bool done = record.state == tJournalState::Done;
    std::string at = record.to;
    if (!Unchanged(at, record.facts)) {
      if (!record.via.empty() && Unchanged(record.via, record.facts)) {
        at = record.via;  // stopped half way through a letter-case rename
      } else if (!done && Unchanged(record.from, record.facts)) {
        // The run stopped before this move, perhaps after the stamp.
        if (record.stamped) PutTimesBack(record.from, record.beforeStamp);
        return;
      } else {
        Refuse(record.to,
               platform::FileExists(record.to) ? "changed since the run" : "no longer there");
        return;
      }
    }
    const bool sameFile =
        platform::SameIgnoringCase(at, record.from) && platform::IsSameFile(at, record.from);
    if (!sameFile &&
        (platform::FileExists(record.from) || platform::DirectoryExists(record.from))) {
      // A move to another file system that stopped after its copy was complete leaves
      // the file twice: the copy goes.
      if (!done && Unchanged(record.from, record.facts) && SameContents(record.from, at)) {
        if (disk_.RemoveCopy(record.from, at, record.facts))
          Line(at, "removed: a copy of " + record.from + " that the run had left");
        else
          Refuse(at, "couldn't remove this copy");
        if (record.stamped) PutTimesBack(record.from, record.beforeStamp);
        return;
      }
      Refuse(at, record.from + " is taken");
      return;
    }
    const std::string folder = platform::ExtractFilePath(record.from);
    if (!folder.empty()) disk_.MakeFolder(folder);
    try {
      if (sameFile)
        disk_.RenameLetterCase(at, record.from);
      else
        disk_.Move(at, record.from, false);
    } catch (const EInOutError&) {
      Refuse(at, "couldn't move this file back");
      return;
    }
    PutTimesBack(record.from, record.stamped ? record.beforeStamp : record.facts);
    Line(at, record.from);
    if (record.replaced && !replacedOwn_) Lost(record.to);
  }

  void UndoCopy(const tJournalRecord& record) {
    const bool done = record.state == tJournalState::Done;
    if (!platform::FileExists(record.to)) {
      if (done) Refuse(record.to, "no longer there");
    } else if (!Unchanged(record.to, record.facts)) {
      if (done) Refuse(record.to, "changed since the run");
    } else if (!platform::FileExists(record.from)) {
      Refuse(record.to, "its source " + record.from + " is gone");
    } else if (!SameContents(record.from, record.to)) {
      Refuse(record.to, "it differs from its source " + record.from);
    } else if (!disk_.RemoveCopy(record.from, record.to, record.facts)) {
      Refuse(record.to, "couldn't remove this copy");
    } else {
      Line(record.to, "copy removed");
      if (record.replaced && !replacedOwn_) Lost(record.to);
    }
    // The stamp was written on the source before it was copied.
    if (record.stamped && Unchanged(record.from, record.facts))
      PutTimesBack(record.from, record.beforeStamp);
  }

  // The undo of an undo that removed a copy: the copy is made again.
  void UndoUncopy(const tJournalRecord& record) {
    if (platform::FileExists(record.to)) {
      if (record.state == tJournalState::Done) Refuse(record.to, record.to + " is taken");
      return;
    }
    if (!Unchanged(record.from, record.facts)) {
      Refuse(record.from, "changed since the run");
      return;
    }
    try {
      disk_.Copy(record.from, record.to, false);
    } catch (const EInOutError&) {
      Refuse(record.from, "couldn't copy this file again");
      return;
    }
    Line(record.from, record.to);
  }

  void UndoTimes(const tJournalRecord& record) {
    FileFacts now;
    if (!platform::ReadFileFacts(record.from, now)) {
      Refuse(record.from, "no longer there");
    } else if (SameTimes(now, record.facts)) {
      // never set, or back already
    } else if (now.size != record.facts.size || !SameTimes(now, record.times)) {
      Refuse(record.from, "changed since the run");
    } else if (!disk_.SetTimes(record.from, now, record.facts)) {
      Refuse(record.from, "couldn't put its times back");
    } else {
      Line(record.from, "times put back");
    }
  }

  void PutTimesBack(const std::string& path, const FileFacts& wanted) {
    FileFacts now;
    if (platform::ReadFileFacts(path, now) && !SameTimes(now, wanted)) {
      FileFacts times = wanted;
      if (now.created == platform::kNoTime) times.created = platform::kNoTime;
      disk_.SetTimes(path, now, times);
    }
  }

  template <typename Call>
  static void Write(Call call) {
    try {
      call();
    } catch (const EInOutError&) {
    }
  }

  std::string Prefix() { return "Stampel " + std::to_string(++lineNumber_) + ": "; }

  void Line(const std::string& path, const std::string& what) {
    ++result_.undone;
    const std::string text = Prefix() + path + " -> " + what;
    if (tProgressSink* sink = ProgressWindow()) Write([&] { sink->AddLine(text, 1); });
  }

  void Refuse(const std::string& path, const std::string& why) {
    ++result_.refused;
    Alert(Prefix() + path + " -> not undone: " + why);
  }

  void Lost(const std::string& path) {
    ++result_.lost;
    Alert(Prefix() + path +
          " -> the file this name held before the run was replaced and cannot come back");
  }

  // A later file of the run took the place this one was moved to.
  void LostToLater(const tJournalRecord& record) {
    ++result_.lost;
    Alert(Prefix() + record.from + " -> replaced at " + record.to +
          " by a later file of the run: it cannot come back");
  }

  static void Alert(const std::string& text) {
    if (tProgressSink* sink = ProgressWindow()) Write([&] { sink->AddAlertLine(text, 0); });
  }

  const tJournalContents& contents_;
  tRealDisk& disk_;
  const Replacements replacements_;
  bool replacedOwn_ = false;  // the current step replaced a file of the run, not one from before
  tUndoResult result_;
  int32_t lineNumber_ = 0;
};

}  // namespace

int32_t CountJournalFiles(const tJournalContents& contents) {
  const std::set<size_t> covered = CoveredTimes(contents.records);
  int32_t count = 0;
  for (size_t i = 0; i < contents.records.size(); ++i) {
    const tJournalRecord& record = contents.records[i];
    if (record.state == tJournalState::Failed || covered.count(i)) continue;
    count += IsTransfer(record) || record.kind == tJournalKind::Times;
  }
  return count;
}

tUndoResult UndoJournal(const tJournalContents& contents, tRealDisk& disk) {
  return Undo(contents, disk).Run();
}
