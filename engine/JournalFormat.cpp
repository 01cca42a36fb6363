#include <cstdio>
#include <map>

#include "engine/JournalRecord.h"

namespace journal_text {

namespace {

constexpr int64_t kSecond = 1000000000;
constexpr int64_t kDay = 86400;

// Days since 1970-01-01 of a civil date and back (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<int64_t>(yoe) + era * 400 + (m <= 2);
}

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
void AppendName(std::string& line, const char* prefix, const char* name) {
  line += '\t';
  line += prefix;
  line += name;
  line += '=';
}

void AppendEscaped(std::string& line, const char* name, const std::string& value) {
  AppendName(line, "", name);
  EscapeInto(line, value);
}

void AppendTimes(std::string& line, const char* prefix, const platform::FileFacts& facts) {
  AppendName(line, prefix, "modified");
  line += TimeText(facts.modified);
  if (facts.created != platform::kNoTime) {
    AppendName(line, prefix, "created");
    line += TimeText(facts.created);
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
  record.number = number;
  if (!KindOf(parts[1], record.kind)) return false;
  std::map<std::string, std::string> fields;
  for (size_t i = 2; i < parts.size(); ++i) {
    const size_t equals = parts[i].find('=');
    if (equals == std::string::npos) return false;
    fields[parts[i].substr(0, equals)] = Unescape(parts[i].substr(equals + 1));
  }
  const bool transfer = IsTransfer(record.kind);
  const auto from = fields.find(transfer ? "from" : "path");
  if (from == fields.end() || from->second.empty()) return false;
  record.from = from->second;
  if (transfer) {
    const auto to = fields.find("to");
    if (to == fields.end() || to->second.empty()) return false;
    record.to = to->second;
    record.replaced = fields["replaced"] == "yes";
  }
  if (fields.count("size") && !ParseNumber(fields["size"], record.facts.size)) return false;
  if (!ReadTimes(fields, "", record.facts) || !ReadTimes(fields, "new-", record.times) ||
      !ReadTimes(fields, "before-stamp-", record.beforeStamp))
    return false;
  record.beforeStamp.size = record.facts.size;
  record.stamped = record.beforeStamp.modified != platform::kNoTime;
  if (record.kind == tJournalKind::Times && record.times.modified == platform::kNoTime)
    return false;
  return true;
}

}  // namespace

void EscapeInto(std::string& result, const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '%') {
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

std::string TimeText(int64_t nanoseconds) {
  const int64_t seconds = FloorDiv(nanoseconds, kSecond);
  const int64_t fraction = nanoseconds - seconds * kSecond;
  const int64_t days = FloorDiv(seconds, kDay);
  const int64_t inDay = seconds - days * kDay;
  int64_t year;
  unsigned month, day;
  CivilFromDays(days, year, month, day);
  if (year < 0 || year > 9999) {
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02d:%02d:%02d.%09lldZ",
                  static_cast<long long>(year), month, day, static_cast<int>(inDay / 3600),
                  static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60),
                  static_cast<long long>(fraction));
    return text;
  }
  // The common case by hand: two of these go into every record of a run.
  std::string text = "0000-00-00T00:00:00.000000000Z";
  const auto digits = [&text](size_t end, int64_t value, int count) {
    for (int i = 0; i < count; ++i, value /= 10)
      text[end - i] = static_cast<char>('0' + value % 10);
  };
  digits(3, year, 4);
  digits(6, month, 2);
  digits(9, day, 2);
  digits(12, inDay / 3600, 2);
  digits(15, inDay / 60 % 60, 2);
  digits(18, inDay % 60, 2);
  digits(28, fraction, 9);
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
  const int64_t days = DaysFromCivil(negative ? -year : year, static_cast<unsigned>(month),
                                     static_cast<unsigned>(day));
  nanoseconds = ((days * kDay + hour * 3600 + minute * 60 + second) * kSecond) + fraction;
  return true;
}

std::string Header(int64_t startedNs, const std::string& undoes) {
  std::string text = std::string(kHeader) + "\n";
  text +=
      "# One record per line, fields parted by tabs; in paths % and two hex digits stand for a "
      "byte.\n";
  text +=
      "# A record is written before its step; \"N done\" or \"N failed\" follows the step. Times "
      "are UTC.\n";
  text += "started\t" + TimeText(startedNs) + "\n";
  if (!undoes.empty()) text += "undoes\t" + Escape(undoes) + "\n";
  return text;
}

std::string RecordLine(const tJournalRecord& record) {
  std::string line;
  line.reserve(160 + record.from.size() + record.to.size());
  line += std::to_string(record.number);
  line += '\t';
  line += KindName(record.kind);
  if (IsTransfer(record.kind)) {
    AppendEscaped(line, "from", record.from);
    AppendEscaped(line, "to", record.to);
  } else {
    AppendEscaped(line, "path", record.from);
  }
  if (record.kind != tJournalKind::MakeFolder && record.kind != tJournalKind::RemoveFolder) {
    AppendName(line, "", "size");
    line += std::to_string(record.facts.size);
    AppendTimes(line, "", record.facts);
  }
  if (record.kind == tJournalKind::Times) AppendTimes(line, "new-", record.times);
  if (IsTransfer(record.kind)) {
    if (record.stamped) AppendTimes(line, "before-stamp-", record.beforeStamp);
    AppendName(line, "", "replaced");
    line += record.replaced ? "yes" : "no";
  }
  line += '\n';
  return line;
}

std::string DoneLine(int64_t number) { return std::to_string(number) + "\tdone\n"; }

std::string FailedLine(int64_t number, int code) {
  return std::to_string(number) + "\tfailed" + Field("code", std::to_string(code)) + "\n";
}

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
      contents.undoes = Unescape(line.substr(7));
      continue;
    }
    const std::vector<std::string> parts = SplitTabs(line);
    int64_t number = 0;
    if (parts.size() < 2 || !ParseNumber(parts[0], number)) {
      contents.unreadableLines.push_back(lineNumber);
      continue;
    }
    const auto known = byNumber.find(number);
    if (parts[1] == "done" || parts[1] == "failed" || parts[1] == "via") {
      if (known == byNumber.end()) {
        contents.unreadableLines.push_back(lineNumber);
        continue;
      }
      tJournalRecord& record = contents.records[known->second];
      if (parts[1] == "done") {
        record.state = tJournalState::Done;
      } else if (parts[1] == "failed") {
        record.state = tJournalState::Failed;
        int64_t code = 0;
        if (parts.size() > 2 && parts[2].rfind("code=", 0) == 0 &&
            ParseNumber(parts[2].substr(5), code))
          record.failure = static_cast<int>(code);
      } else if (parts.size() > 2 && parts[2].rfind("path=", 0) == 0) {
        record.via = Unescape(parts[2].substr(5));
      }
      continue;
    }
    tJournalRecord record;
    if (known != byNumber.end() || !ParseRecord(parts, number, record)) {
      contents.unreadableLines.push_back(lineNumber);
      continue;
    }
    byNumber[number] = contents.records.size();
    contents.records.push_back(record);
  }
  return true;
}

}  // namespace journal_text
