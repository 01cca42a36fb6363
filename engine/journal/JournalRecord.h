#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileTimes.h"

// One step of a run as its journal keeps it. The record is written before the step and
// marked done (or failed) after it, so a journal of a killed run still names every file
// the run had begun to move.

enum class tJournalKind {
  MakeFolder,    // the run made a folder (path in From)
  RemoveFolder,  // an undo removed a folder the run had made
  Times,         // the file's times were set: facts before, times after
  Move,          // From -> To
  Copy,          // From -> To
  Uncopy         // an undo removed the copy To of From
};

// Open: written, not marked (the run may have been killed during the step, or the step is
// a planned one the run never reached). Dropped: planned, and the run never took it.
enum class tJournalState { Open, Done, Failed, Dropped };

struct tJournalRecord {
  int64_t Number = 0;  // 1, 2, ... in the order written
  tJournalKind Kind = tJournalKind::Move;
  std::string From;           // the old path, or the file or folder the step is about
  std::string To;             // transfers: the new path
  std::string Via;            // a letter-case move that went through a temporary name: that name
  platform::FileFacts Facts;  // size and times of the file just before the step
  // Transfers of a file that the /T stamp changed just before: its times before that.
  bool Stamped = false;
  platform::FileFacts BeforeStamp;
  platform::FileFacts Times;  // Times: the times the step sets
  bool Replaced = false;      // transfers: an existing file at To was replaced
  tJournalState State = tJournalState::Open;
  int Failure = 0;  // the system's code of a failed step

  // A step that was never taken, or failed: nothing of it is on disk.
  bool Untaken() const { return State == tJournalState::Failed || State == tJournalState::Dropped; }
};

// What a journal file holds.
struct tJournalContents {
  std::vector<tJournalRecord> Records;  // in the order written
  std::string Undoes;                   // the journal an undo took back, if this is an undo's
  std::vector<int> UnreadableLines;     // 1-based numbers of lines that are no record
};
