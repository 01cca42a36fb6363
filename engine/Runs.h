#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/journal/Undo.h"
#include "engine/pass/Run.h"

namespace platform {
class FileSystem;
}

// Whole runs, as the batch command line and the main window start them: one or more path
// patterns renamed with the same options, on the run's file system, telling the run's
// events. A failure that ends a run (a file that cannot be opened, a journal that cannot
// be written or read) is not thrown: it is the Failure of the run's result, and what was
// done before it is done and journalled.

// Renames the patterns in order and journals every change in a new journal of the user's
// journal folder before it is made.
const tRunResult& RunRename(tRun& run, const std::vector<std::string>& patterns);

// The same run, list only: the same events, in the same order and with the same counter
// values and free names as the real run would give them, with nothing changed on disk
// and no journal. The running counter is put back afterwards, so that the real run that
// follows numbers the files as listed.
const tRunResult& PreviewRename(tRun& run, const std::vector<std::string>& patterns);

// Takes back the run of the journal, itself journalled as a run; see UndoJournal.
tUndoResult UndoRun(tRun& run, const std::string& journal);

// The journal of the latest run that changed anything, or empty text when there is none.
std::string LastRunJournal(platform::FileSystem& files);
// The journal a user names (a path, or a name in the journal folder).
std::string FindRunJournal(platform::FileSystem& files, const std::string& name);
// How many files an undo of the journal deals with (to ask the user first). Throws
// EJournalError when it cannot be read.
int32_t JournalFileCount(platform::FileSystem& files, const std::string& journal);
