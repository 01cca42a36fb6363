#pragma once

#include <cstdint>

#include "engine/JournalRecord.h"

class tRealDisk;

// What an undo did: files put back (moved back, copies removed, times put back), files
// it left where they are, and files the run had replaced, which cannot come back.
struct tUndoResult {
  int32_t undone = 0;
  int32_t refused = 0;
  int32_t lost = 0;
};

// The files an undo of the journal would deal with: its moves and copies, and the files
// whose times alone the run changed.
int32_t CountJournalFiles(const tJournalContents& contents);

// Takes back the run of the journal, newest step first: moves go back (with the times
// they had before the run), copies go when they are unchanged and still equal to a
// source that is still there, times that the run set go back, folders it made go when
// empty. A file that has changed or moved since, or whose old name is taken, stays where
// it is. Each file is a progress line; refusals and files the run replaced are alert
// lines. Every change goes through the disk, which journals it, so the undo can be undone.
// Stops after the current file when KeepRunning is cleared.
tUndoResult UndoJournal(const tJournalContents& contents, tRealDisk& disk);
