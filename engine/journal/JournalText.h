#pragma once

#include <cstdint>
#include <string>

#include "engine/journal/JournalRecord.h"

// The text of a journal: a header line, then one line per record or mark, fields parted
// by tabs. In paths "%" and two hex digits stand for a byte (%, tab, line breaks and other
// control characters), so any name survives; times are UTC with nanoseconds.
namespace journal_text {

inline constexpr const char* kHeader = "Stampel journal 1";

std::string Header(int64_t startedNs, const std::string& undoes);
// The record's line, appended to text.
void AppendRecordLine(std::string& text, const tJournalRecord& record);
std::string RecordLine(const tJournalRecord& record);
std::string DoneLine(int64_t number);
void AppendDoneLine(std::string& text, int64_t number);
std::string FailedLine(int64_t number, int code);
// A planned step the run never took.
std::string DroppedLine(int64_t number);
std::string ViaLine(int64_t number, const std::string& path);

// False when the text does not begin with the header. A last line without its line
// break (a write cut short) is left out.
bool Parse(const std::string& text, tJournalContents& contents);

// "2004-05-06T07:08:09.000000000Z" for nanoseconds since 1970 UTC, and back.
std::string TimeText(int64_t nanoseconds);
void AppendTimeText(std::string& text, int64_t nanoseconds);
bool ParseTime(const std::string& text, int64_t& nanoseconds);

// Control characters, DEL and "%" become "%" and two hex digits; EscapeInto appends.
std::string Escape(const std::string& text);
void EscapeInto(std::string& result, const std::string& text);
std::string Unescape(const std::string& text);

}  // namespace journal_text
