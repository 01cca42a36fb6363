#include "engine/journal/Journal.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <random>

#include "engine/journal/JournalText.h"
#include "platform/Errors.h"
#include "platform/Path.h"

namespace {

constexpr int64_t kMillisecond = 1000000;

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

// The start a journal name tells, to the millisecond; false for a name of another form.
bool StartOf(const std::string& name, int64_t& startedNs) {
  // yyyymmddThhnnss.mmm -> yyyy-mm-ddThh:nn:ss.mmm000000Z
  if (name.size() < 19) return false;
  const std::string text = name.substr(0, 4) + "-" + name.substr(4, 2) + "-" + name.substr(6, 5) +
                           ":" + name.substr(11, 2) + ":" + name.substr(13, 6) + "000000Z";
  return journal_text::ParseTime(text, startedNs);
}

std::string ErrorText(int code) { return platform::SystemErrorMessage(code); }

std::string WithSeparator(std::string folder) {
  if (!folder.empty() && !platform::IsPathDelimiter(folder.back()))
    folder += platform::PathSeparator();
  return folder;
}

}  // namespace

tJournal::tJournal(platform::FileSystem& files, std::string folder, std::string undoes)
    : files_(files), folder_(WithSeparator(std::move(folder))), undoes_(std::move(undoes)) {}

tJournal::~tJournal() {
  if (!file_) return;
  if (!pendingMarks_.empty()) file_->Append(pendingMarks_);
  file_->Close();
}

void tJournal::Open() {
  // Nothing has changed yet: the first record comes before the first change.
  if (const int code = files_.MakeFolders(folder_))
    throw EJournalError("Cannot make the journal folder \"" + folder_ + "\". " + ErrorText(code) +
                        ". Nothing was changed.");
  // A journal's name sorts after every older one's, so that the last run is the last name
  // even when two runs start in one millisecond or the clock was put back.
  int64_t started = NowNs();
  const std::vector<std::string> older = ListJournals(files_, folder_);
  int64_t newest = 0;
  if (!older.empty() && StartOf(platform::ExtractFileName(older.back()), newest) &&
      started < newest + kMillisecond)
    started = newest + kMillisecond;
  std::random_device random;
  int code = 0;
  for (int attempt = 0; attempt < 20 && !file_; ++attempt) {
    const std::string path = folder_ + JournalName(started, random());
    file_ = files_.CreateAppendOnly(path, code);
    if (file_) path_ = path;
    if (code != platform::SystemCode(platform::KnownError::FileExists)) break;
  }
  if (!file_)
    throw EJournalError("Cannot create a journal in \"" + folder_ + "\". " + ErrorText(code) +
                        ". Nothing was changed.");
  Write(journal_text::Header(started, undoes_));
  // The oldest go; this one is the newest.
  for (size_t i = 0; i + kJournalsKept < older.size() + 1; ++i) files_.RemoveFile(older[i], false);
}

void tJournal::Write(const std::string& text) {
  // One system call a line (or a batch of lines), the marks of earlier steps with it.
  int code = 0;
  if (pendingMarks_.empty()) {
    code = file_->Append(text);
  } else {
    text_.assign(pendingMarks_).append(text);
    code = file_->Append(text_);
  }
  if (code != 0) throw WriteFailure(code);
  pendingMarks_.clear();
}

EJournalError tJournal::WriteFailure(int code) const {
  return EJournalError("Cannot write the journal \"" + path_ + "\". " + ErrorText(code) +
                       ". The run stopped before the change it could not record; the journal "
                       "holds every change made before it, and /U takes them back.");
}

int64_t tJournal::Begin(tJournalRecord record) {
  if (!file_) Open();
  record.Number = ++count_;
  Write(journal_text::RecordLine(record));
  return record.Number;
}

void tJournal::BeginAll(std::vector<tJournalRecord>& records) {
  if (records.empty()) return;
  if (!file_) Open();
  // The marks of earlier steps first, then the records, in one write.
  text_.assign(pendingMarks_);
  const int64_t before = count_;
  for (tJournalRecord& record : records) {
    record.Number = ++count_;
    journal_text::AppendRecordLine(text_, record);
  }
  const int code = file_->Append(text_);
  if (code != 0) {
    count_ = before;
    throw WriteFailure(code);
  }
  pendingMarks_.clear();
}

void tJournal::Done(int64_t number) { journal_text::AppendDoneLine(pendingMarks_, number); }

void tJournal::Failed(int64_t number, int code) {
  pendingMarks_ += journal_text::FailedLine(number, code);
}

void tJournal::Dropped(int64_t number) { pendingMarks_ += journal_text::DroppedLine(number); }

void tJournal::Via(int64_t number, const std::string& path) {
  Write(journal_text::ViaLine(number, path));
}

std::vector<std::string> ListJournals(platform::FileSystem& files, const std::string& folder) {
  const std::string prefix = WithSeparator(folder);
  std::vector<std::string> names = files.ListFiles(prefix + "*.txt");
  names.erase(std::remove_if(names.begin(), names.end(),
                             [](const std::string& n) { return !IsJournalName(n); }),
              names.end());
  std::sort(names.begin(), names.end());
  for (std::string& name : names) name = prefix + name;
  return names;
}

std::string LastJournal(platform::FileSystem& files, const std::string& folder) {
  // A run killed before its first record leaves a journal of nothing: the run before it
  // is the last one that changed anything.
  const std::vector<std::string> journals = ListJournals(files, folder);
  for (auto journal = journals.rbegin(); journal != journals.rend(); ++journal) {
    try {
      if (!ReadJournal(files, *journal).Records.empty()) return *journal;
    } catch (const EJournalError&) {
      return *journal;  // not ours to skip: the undo says what is wrong with it
    }
  }
  return std::string();
}

std::string FindJournal(platform::FileSystem& files, const std::string& name,
                        const std::string& folder) {
  if (files.FileExists(name) || platform::LastDelimiter(name) != std::string::npos) return name;
  const std::string inFolder = WithSeparator(folder) + name;
  return files.FileExists(inFolder) ? inFolder : name;
}

tJournalContents ReadJournal(platform::FileSystem& files, const std::string& path) {
  std::string text;
  try {
    text = platform::ReadWholeFile(files, path);
  } catch (const EFOpenError& failure) {
    throw EJournalError(failure.what());
  } catch (const EReadError& failure) {
    throw EJournalError(failure.what());
  }
  tJournalContents contents;
  if (!journal_text::Parse(text, contents))
    throw EJournalError("\"" + path + "\" is not a journal of this program.");
  return contents;
}
