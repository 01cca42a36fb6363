#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/RunOptions.h"
#include "engine/Undo.h"

// Whole runs, as the batch command line and the main window start them. A run is one or
// more path patterns renamed with the same options; the lines go to ProgressWindow().

// Told before and after each path pattern of a run (either may be empty).
struct tPatternHooks {
  std::function<void(const std::string& pattern)> starting;
  std::function<void(const std::string& pattern)> done;
};

// Renames the patterns in order and journals every change in a new journal of the
// user's journal folder. Returns how many files were moved or copied. Throws
// EJournalError (before any change that it could not journal) when the journal cannot be
// written.
int32_t RunRename(const tRunOptions& options, const std::vector<std::string>& patterns,
                  const tPatternHooks& hooks = {});

// The same run, list only: the same lines, in the same order and with the same counter
// values and free names as the real run would give them, with nothing changed on disk
// and no journal. The running counter is put back afterwards, so that the real run that
// follows numbers the files as listed. Returns how many files the run would move or copy.
int32_t PreviewRename(const tRunOptions& options, const std::vector<std::string>& patterns,
                      const tPatternHooks& hooks = {});

// The journal of the latest run that changed anything, or empty text when there is none.
std::string LastRunJournal();
// The journal a user names (a path, or a name in the journal folder).
std::string FindRunJournal(const std::string& name);

// How many files an undo of the journal deals with (to ask the user first). Throws
// EJournalError when it cannot be read.
int32_t JournalFileCount(const std::string& journal);

// Takes back the run of the journal, itself journalled as a run; see UndoJournal. Throws
// EJournalError when the journal cannot be read.
tUndoResult UndoRun(const std::string& journal);
