#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileTimes.h"

// One step of a run as its journal keeps it. The record is written before the step and
// marked done (or failed) after it, so a journal of a killed run still names every file
// the run had begun to move.

enum class tJournalKind {
  MakeFolder,    // the run made a folder (path in from)
  RemoveFolder,  // an undo removed a folder the run had made
  Times,         // the file's times were set: facts before, times after
  Move,          // from -> to
  Copy,          // from -> to
  Uncopy         // an undo removed the copy to of from
};

enum class tJournalState { Open, Done, Failed };

struct tJournalRecord {
  int64_t number = 0;  // 1, 2, ... in the order written
  tJournalKind kind = tJournalKind::Move;
  std::string from;           // the old path, or the file or folder the step is about
  std::string to;             // transfers: the new path
  std::string via;            // a letter-case move that went through a temporary name: that name
  platform::FileFacts facts;  // size and times of the file just before the step
  // Transfers of a file that the /T stamp changed just before: its times before that.
  bool stamped = false;
  platform::FileFacts beforeStamp;
  platform::FileFacts times;  // Times: the times the step sets
  bool replaced = false;      // transfers: an existing file at to was replaced
  tJournalState state = tJournalState::Open;
  int failure = 0;  // the system's code of a failed step
};

// What a journal file holds.
struct tJournalContents {
  std::vector<tJournalRecord> records;  // in the order written
  std::string undoes;                   // the journal an undo took back, if this is an undo's
  std::vector<int> unreadableLines;     // 1-based numbers of lines that are no record
};

// The text of a journal: a header line, then one line per record or mark, fields parted
// by tabs. In paths "%" and two hex digits stand for a byte (%, tab, line breaks and other
// control characters), so any name survives; times are UTC with nanoseconds.
namespace journal_text {

inline constexpr const char* kHeader = "Stampel journal 1";

std::string Header(int64_t startedNs, const std::string& undoes);
std::string RecordLine(const tJournalRecord& record);
std::string DoneLine(int64_t number);
std::string FailedLine(int64_t number, int code);
std::string ViaLine(int64_t number, const std::string& path);

// False when the text does not begin with the header. A last line without its line
// break (a write cut short) is left out.
bool Parse(const std::string& text, tJournalContents& contents);

// "2004-05-06T07:08:09.000000000Z" for nanoseconds since 1970 UTC, and back.
std::string TimeText(int64_t nanoseconds);
bool ParseTime(const std::string& text, int64_t& nanoseconds);

// Control characters, DEL and "%" become "%" and two hex digits; EscapeInto appends.
std::string Escape(const std::string& text);
void EscapeInto(std::string& result, const std::string& text);
std::string Unescape(const std::string& text);

}  // namespace journal_text
