#pragma once

#include <cstdint>

#include "engine/journal/JournalRecord.h"

struct tRun;
class tJournalledFileSystem;

// What an undo did: files put back (moved back, copies removed, times put back), files
// it left where they are, and files the run had replaced, which cannot come back.
struct tUndoResult {
  int32_t Undone = 0;
  int32_t Refused = 0;
  int32_t Lost = 0;
};

// The files an undo of the journal would deal with: its moves and copies, and the files
// whose times alone the run changed.
int32_t CountJournalFiles(const tJournalContents& contents);

// Takes back the run of the journal, newest step first: moves go back (with the times
// they had before the run), copies go when they are unchanged and still equal to a
// source that is still there, times that the run set go back, and last the folders it
// made go when empty. A file that has changed or moved since, or whose old name is taken,
// stays where it is. Each file is an event of the run; every change goes through the
// journalled file system, so the undo can be undone. Stops after the current file when
// the run is stopped.
tUndoResult UndoJournal(const tJournalContents& contents, tRun& run, tJournalledFileSystem& files);
