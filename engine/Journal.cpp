#include "engine/Journal.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <random>

#include "platform/AppendFile.h"
#include "platform/FileSystem.h"
#include "platform/InputFile.h"
#include "platform/Path.h"

namespace {

int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// 20240601T101112.345Z-1a2b3c.txt: the UTC start, then something to tell apart runs
// that start in the same millisecond.
std::string JournalName(int64_t startedNs, uint32_t tag) {
  const std::string time = journal_text::TimeText(startedNs);  // 2024-06-01T10:11:12.345678901Z
  std::string name;
  for (size_t i = 0; i < time.size() && name.size() < 19; ++i)
    if (time[i] != '-' && time[i] != ':') name += time[i];
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "Z-%06x.txt", tag & 0xFFFFFF);
  return name + suffix;
}

bool IsJournalName(const std::string& name) {
  // yyyymmddThhnnss.mmmZ-xxxxxx.txt
  if (name.size() != 31 || name.compare(27, 4, ".txt") != 0) return false;
  for (size_t i = 0; i < 27; ++i) {
    const char c = name[i];
    const bool ok = i == 8    ? c == 'T'
                    : i == 15 ? c == '.'
                    : i == 19 ? c == 'Z'
                    : i == 20 ? c == '-'
                    : i > 20  ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                              : c >= '0' && c <= '9';
    if (!ok) return false;
  }
  return true;
}

std::string ErrorText() { return platform::SystemErrorMessage(platform::LastErrorCode()); }

}  // namespace

tJournal::tJournal(std::string folder, std::string undoes)
    : folder_(std::move(folder)), undoes_(std::move(undoes)) {
  if (!folder_.empty() && !platform::IsPathDelimiter(folder_.back()))
    folder_ += platform::PathSeparator();
}

tJournal::~tJournal() {
  if (!pendingMarks_.empty() && file_.IsOpen()) file_.Append(pendingMarks_);
  file_.Close();
}

void tJournal::Open() {
  if (!platform::ForceDirectories(folder_))
    throw EJournalError("Cannot make the journal folder \"" + folder_ + "\". " + ErrorText());
  const int64_t started = NowNs();
  std::random_device random;
  for (int attempt = 0; attempt < 20 && path_.empty(); ++attempt) {
    const std::string path = folder_ + JournalName(started, random());
    if (file_.CreateNew(path)) path_ = path;
  }
  if (path_.empty())
    throw EJournalError("Cannot create a journal in \"" + folder_ + "\". " + ErrorText());
  Write(journal_text::Header(started, undoes_));
  // The oldest go; this one is the newest.
  const std::vector<std::string> journals = ListJournals(folder_);
  for (size_t i = 0; i + kJournalsKept < journals.size(); ++i)
    if (journals[i] != path_) platform::RemoveFile(journals[i]);
}

void tJournal::Write(const std::string& text) {
  // One system call a line, the marks of earlier steps with it.
  const bool written =
      pendingMarks_.empty() ? file_.Append(text) : file_.Append(pendingMarks_ + text);
  pendingMarks_.clear();
  if (!written) throw EJournalError("Cannot write the journal \"" + path_ + "\". " + ErrorText());
}

int64_t tJournal::Begin(tJournalRecord record) {
  if (!file_.IsOpen()) Open();
  record.number = ++count_;
  Write(journal_text::RecordLine(record));
  return record.number;
}

void tJournal::Done(int64_t number) { pendingMarks_ += journal_text::DoneLine(number); }

void tJournal::Failed(int64_t number, int code) {
  pendingMarks_ += journal_text::FailedLine(number, code);
}

void tJournal::Via(int64_t number, const std::string& path) {
  Write(journal_text::ViaLine(number, path));
}

std::vector<std::string> ListJournals(const std::string& folder) {
  std::string prefix = folder;
  if (!prefix.empty() && !platform::IsPathDelimiter(prefix.back()))
    prefix += platform::PathSeparator();
  std::vector<std::string> names = platform::ListFiles(prefix + "*.txt");
  names.erase(std::remove_if(names.begin(), names.end(),
                             [](const std::string& n) { return !IsJournalName(n); }),
              names.end());
  std::sort(names.begin(), names.end());
  for (std::string& name : names) name = prefix + name;
  return names;
}

std::string LastJournal(const std::string& folder) {
  // A run killed before its first record leaves a journal of nothing: the run before it
  // is the last one that changed anything.
  const std::vector<std::string> journals = ListJournals(folder);
  for (auto journal = journals.rbegin(); journal != journals.rend(); ++journal) {
    try {
      if (!ReadJournal(*journal).records.empty()) return *journal;
    } catch (const EJournalError&) {
      return *journal;  // not ours to skip: the undo says what is wrong with it
    }
  }
  return std::string();
}

std::string FindJournal(const std::string& name, const std::string& folder) {
  if (platform::FileExists(name) || platform::LastDelimiter(name) != std::string::npos) return name;
  std::string prefix = folder;
  if (!prefix.empty() && !platform::IsPathDelimiter(prefix.back()))
    prefix += platform::PathSeparator();
  return platform::FileExists(prefix + name) ? prefix + name : name;
}

tJournalContents ReadJournal(const std::string& path) {
  std::string text;
  try {
    platform::InputFile file(path);
    char buffer[1 << 16];
    while (const size_t n = file.Read(buffer, sizeof buffer)) text.append(buffer, n);
  } catch (const std::exception& failure) {
    throw EJournalError(failure.what());
  }
  tJournalContents contents;
  if (!journal_text::Parse(text, contents))
    throw EJournalError("\"" + path + "\" is not a journal of this program.");
  return contents;
}
