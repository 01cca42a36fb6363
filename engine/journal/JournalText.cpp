#include "engine/journal/JournalText.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <string_view>

#include "platform/DateTime.h"

namespace journal_text {

namespace {

constexpr int64_t kSecond = 1000000000;
constexpr int64_t kDay = 86400;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

const char* KindName(tJournalKind kind) {
  switch (kind) {
    case tJournalKind::MakeFolder:
      return "mkdir";
    case tJournalKind::RemoveFolder:
      return "rmdir";
    case tJournalKind::Times:
      return "times";
    case tJournalKind::Move:
      return "move";
    case tJournalKind::Copy:
      return "copy";
    case tJournalKind::Uncopy:
      return "uncopy";
  }
  return "?";
}

bool KindOf(const std::string& name, tJournalKind& kind) {
  for (tJournalKind k : {tJournalKind::MakeFolder, tJournalKind::RemoveFolder, tJournalKind::Times,
                         tJournalKind::Move, tJournalKind::Copy, tJournalKind::Uncopy})
    if (name == KindName(k)) {
      kind = k;
      return true;
    }
  return false;
}

bool IsTransfer(tJournalKind kind) {
  return kind == tJournalKind::Move || kind == tJournalKind::Copy || kind == tJournalKind::Uncopy;
}

std::string Field(const char* name, const std::string& value) {
  return std::string("\t") + name + "=" + value;
}

// A record is written before every transfer of a run: its line is built in one string.
void AppendName(std::string& line, std::string_view prefix, std::string_view name) {
  char field[32];
  if (prefix.size() + name.size() + 2 > sizeof field) {
    line.append("\t").append(prefix).append(name).append("=");
    return;
  }
  field[0] = '\t';
  prefix.copy(field + 1, prefix.size());
  name.copy(field + 1 + prefix.size(), name.size());
  field[1 + prefix.size() + name.size()] = '=';
  line.append(field, prefix.size() + name.size() + 2);
}

void AppendNumber(std::string& line, int64_t number) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  line.append(digits, static_cast<size_t>(end - digits));
}

void AppendEscaped(std::string& line, std::string_view name, const std::string& value) {
  AppendName(line, "", name);
  EscapeInto(line, value);
}

void AppendTimes(std::string& line, std::string_view prefix, const platform::FileFacts& facts) {
  AppendName(line, prefix, "modified");
  AppendTimeText(line, facts.modified);
  if (facts.created != platform::kNoTime) {
    AppendName(line, prefix, "created");
    AppendTimeText(line, facts.created);
  }
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return parts;
    start = tab + 1;
  }
}

bool ParseNumber(const std::string& text, int64_t& value) {
  if (text.empty() || text.size() > 18) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// Reads the named time fields; a missing one stays kNoTime, a bad one fails.
bool ReadTimes(const std::map<std::string, std::string>& fields, const std::string& prefix,
               platform::FileFacts& facts) {
  for (auto [name, target] : {std::pair<const char*, int64_t*>{"modified", &facts.modified},
                              std::pair<const char*, int64_t*>{"created", &facts.created}}) {
    const auto found = fields.find(prefix + name);
    if (found != fields.end() && !ParseTime(found->second, *target)) return false;
  }
  return true;
}

bool ParseRecord(const std::vector<std::string>& parts, int64_t number, tJournalRecord& record) {
  record = tJournalRecord();
  record.Number = number;
  if (!KindOf(parts[1], record.Kind)) return false;
  std::map<std::string, std::string> fields;
  for (size_t i = 2; i < parts.size(); ++i) {
    const size_t equals = parts[i].find('=');
    if (equals == std::string::npos) return false;
    fields[parts[i].substr(0, equals)] = Unescape(parts[i].substr(equals + 1));
  }
  const bool transfer = IsTransfer(record.Kind);
  const auto from = fields.find(transfer ? "from" : "path");
  if (from == fields.end() || from->second.empty()) return false;
  record.From = from->second;
  if (transfer) {
    const auto to = fields.find("to");
    if (to == fields.end() || to->second.empty()) return false;
    record.To = to->second;
    record.Replaced = fields["replaced"] == "yes";
  }
  if (fields.count("size") && !ParseNumber(fields["size"], record.Facts.size)) return false;
  if (!ReadTimes(fields, "", record.Facts) || !ReadTimes(fields, "new-", record.Times) ||
      !ReadTimes(fields, "before-stamp-", record.BeforeStamp))
    return false;
  record.BeforeStamp.size = record.Facts.size;
  record.Stamped = record.BeforeStamp.modified != platform::kNoTime;
  if (record.Kind == tJournalKind::Times && record.Times.modified == platform::kNoTime)
    return false;
  return true;
}

}  // namespace

namespace {

// The bytes that a path in the journal cannot hold as they are.
struct EscapedBytes {
  bool escaped[256] = {};
  constexpr EscapedBytes() {
    for (int byte = 0; byte < 0x20; ++byte) escaped[byte] = true;
    escaped[0x7F] = escaped[static_cast<unsigned char>('%')] = true;
  }
};
constexpr EscapedBytes kEscaped;

}  // namespace

void EscapeInto(std::string& result, const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  const auto escaped = [](char c) { return kEscaped.escaped[static_cast<unsigned char>(c)]; };
  // Nearly every path holds nothing to escape: it goes in whole.
  size_t plain = 0;
  while (plain < text.size() && !escaped(text[plain])) ++plain;
  result.append(text, 0, plain);
  for (size_t i = plain; i < text.size(); ++i) {
    const char c = text[i];
    if (escaped(c)) {
      const auto byte = static_cast<unsigned char>(c);
      result += '%';
      result += kHex[byte >> 4];
      result += kHex[byte & 15];
    } else {
      result += c;
    }
  }
}

std::string Escape(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  EscapeInto(result, text);
  return result;
}

std::string Unescape(const std::string& text) {
  auto hex = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
      result += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
      i += 2;
    } else {
      result += text[i];
    }
  }
  return result;
}

void AppendTimeText(std::string& text, int64_t nanoseconds) {
  const int64_t seconds = FloorDiv(nanoseconds, kSecond);
  const int64_t fraction = nanoseconds - seconds * kSecond;
  const int64_t days = FloorDiv(seconds, kDay);
  const int64_t inDay = seconds - days * kDay;
  int64_t year;
  int month, day;
  platform::CivilFromDays(days, year, month, day);
  if (year < 0 || year > 9999) {
    char out[64];
    std::snprintf(out, sizeof out, "%04lld-%02d-%02dT%02d:%02d:%02d.%09lldZ",
                  static_cast<long long>(year), month, day, static_cast<int>(inDay / 3600),
                  static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60),
                  static_cast<long long>(fraction));
    text += out;
    return;
  }
  // The common case by hand: two of these go into every record of a run.
  char out[] = "0000-00-00T00:00:00.000000000Z";
  const auto digits = [&out](size_t end, int64_t value, int count) {
    for (int i = 0; i < count; ++i, value /= 10) out[end - i] = static_cast<char>('0' + value % 10);
  };
  digits(3, year, 4);
  digits(6, month, 2);
  digits(9, day, 2);
  digits(12, inDay / 3600, 2);
  digits(15, inDay / 60 % 60, 2);
  digits(18, inDay % 60, 2);
  digits(28, fraction, 9);
  text.append(out, sizeof out - 1);
}

std::string TimeText(int64_t nanoseconds) {
  std::string text;
  AppendTimeText(text, nanoseconds);
  return text;
}

bool ParseTime(const std::string& text, int64_t& nanoseconds) {
  // yyyy-mm-ddThh:nn:ss.fffffffffZ, the year possibly longer or negative.
  const size_t t = text.find('T');
  if (t == std::string::npos || t < 10 || text.size() != t + 20 || text.back() != 'Z') return false;
  const bool negative = text[0] == '-';
  int64_t year, month, day, hour, minute, second, fraction;
  if (!ParseNumber(text.substr(negative, t - 6 - negative), year) || text[t - 6] != '-' ||
      !ParseNumber(text.substr(t - 5, 2), month) || text[t - 3] != '-' ||
      !ParseNumber(text.substr(t - 2, 2), day) || !ParseNumber(text.substr(t + 1, 2), hour) ||
      text[t + 3] != ':' || !ParseNumber(text.substr(t + 4, 2), minute) || text[t + 6] != ':' ||
      !ParseNumber(text.substr(t + 7, 2), second) || text[t + 9] != '.' ||
      !ParseNumber(text.substr(t + 10, 9), fraction))
    return false;
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59)
    return false;
  const int64_t days = platform::DaysFromCivil(negative ? -year : year, static_cast<int>(month),
                                               static_cast<int>(day));
  nanoseconds = ((days * kDay + hour * 3600 + minute * 60 + second) * kSecond) + fraction;
  return true;
}

std::string Header(int64_t startedNs, const std::string& undoes) {
  std::string text = std::string(kHeader) + "\n";
  text +=
      "# One record per line, fields parted by tabs; in paths % and two hex digits stand for a "
      "byte.\n";
  text +=
      "# A record is written before its step; \"N done\" or \"N failed\" follows the step, "
      "\"N dropped\" a planned step never taken. Times are UTC.\n";
  text += "started\t" + TimeText(startedNs) + "\n";
  if (!undoes.empty()) text += "undoes\t" + Escape(undoes) + "\n";
  return text;
}

void AppendRecordLine(std::string& line, const tJournalRecord& record) {
  AppendNumber(line, record.Number);
  line += '\t';
  line += KindName(record.Kind);
  if (IsTransfer(record.Kind)) {
    AppendEscaped(line, "from", record.From);
    AppendEscaped(line, "to", record.To);
  } else {
    AppendEscaped(line, "path", record.From);
  }
  if (record.Kind != tJournalKind::MakeFolder && record.Kind != tJournalKind::RemoveFolder) {
    AppendName(line, "", "size");
    AppendNumber(line, record.Facts.size);
    AppendTimes(line, "", record.Facts);
  }
  if (record.Kind == tJournalKind::Times) AppendTimes(line, "new-", record.Times);
  if (IsTransfer(record.Kind)) {
    if (record.Stamped) AppendTimes(line, "before-stamp-", record.BeforeStamp);
    AppendName(line, "", "replaced");
    line += record.Replaced ? "yes" : "no";
  }
  line += '\n';
}

std::string RecordLine(const tJournalRecord& record) {
  std::string line;
  line.reserve(160 + record.From.size() + record.To.size());
  AppendRecordLine(line, record);
  return line;
}

std::string DoneLine(int64_t number) {
  std::string line;
  AppendDoneLine(line, number);
  return line;
}

void AppendDoneLine(std::string& text, int64_t number) {
  AppendNumber(text, number);
  text += "\tdone\n";
}

std::string FailedLine(int64_t number, int code) {
  return std::to_string(number) + "\tfailed" + Field("code", std::to_string(code)) + "\n";
}

std::string DroppedLine(int64_t number) { return std::to_string(number) + "\tdropped\n"; }

std::string ViaLine(int64_t number, const std::string& path) {
  return std::to_string(number) + "\tvia" + Field("path", Escape(path)) + "\n";
}

bool Parse(const std::string& text, tJournalContents& contents) {
  contents = tJournalContents();
  const std::string header = std::string(kHeader) + "\n";
  // A run killed while it began its journal leaves the header cut short: no records.
  if (text.size() < header.size()) return header.compare(0, text.size(), text) == 0;
  if (text.compare(0, header.size(), header) != 0) return false;
  std::map<int64_t, size_t> byNumber;
  int lineNumber = 1;
  for (size_t start = header.size(); start < text.size();) {
    const size_t end = text.find('\n', start);
    if (end == std::string::npos) break;  // cut short while being written
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#' || line.rfind("started\t", 0) == 0) continue;
    if (line.rfind("undoes\t", 0) == 0) {
      contents.Undoes = Unescape(line.substr(7));
      continue;
    }
    const std::vector<std::string> parts = SplitTabs(line);
    int64_t number = 0;
    if (parts.size() < 2 || !ParseNumber(parts[0], number)) {
      contents.UnreadableLines.push_back(lineNumber);
      continue;
    }
    const auto known = byNumber.find(number);
    if (parts[1] == "done" || parts[1] == "failed" || parts[1] == "dropped" || parts[1] == "via") {
      if (known == byNumber.end()) {
        contents.UnreadableLines.push_back(lineNumber);
        continue;
      }
      tJournalRecord& record = contents.Records[known->second];
      if (parts[1] == "done") {
        record.State = tJournalState::Done;
      } else if (parts[1] == "dropped") {
        record.State = tJournalState::Dropped;
      } else if (parts[1] == "failed") {
        record.State = tJournalState::Failed;
        int64_t code = 0;
        if (parts.size() > 2 && parts[2].rfind("code=", 0) == 0 &&
            ParseNumber(parts[2].substr(5), code))
          record.Failure = static_cast<int>(code);
      } else if (parts.size() > 2 && parts[2].rfind("path=", 0) == 0) {
        record.Via = Unescape(parts[2].substr(5));
      }
      continue;
    }
    tJournalRecord record;
    if (known != byNumber.end() || !ParseRecord(parts, number, record)) {
      contents.UnreadableLines.push_back(lineNumber);
      continue;
    }
    byNumber[number] = contents.Records.size();
    contents.Records.push_back(record);
  }
  return true;
}

}  // namespace journal_text
