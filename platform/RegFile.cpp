#include "platform/RegFile.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

namespace platform {

namespace {

std::string Quote(const std::string& text) {
  std::string result = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') result += '\\';
    result += c;
  }
  return result + '"';
}

// Reads a quoted text starting at text[pos] == '"'; pos ends after the closing quote.
bool Unquote(const std::string& text, size_t& pos, std::string& out) {
  if (pos >= text.size() || text[pos] != '"') return false;
  out.clear();
  for (++pos; pos < text.size(); ++pos) {
    char c = text[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\') {
      if (++pos >= text.size()) return false;
      c = text[pos];
    }
    out += c;
  }
  return false;
}

bool ParseHexBytes(const std::string& text, std::string& bytes) {
  bytes.clear();
  std::string digits;
  for (char c : text) {
    if (c == ',' || c == ' ' || c == '\t') {
      if (!digits.empty()) {
        if (digits.size() > 2) return false;
        bytes += static_cast<char>(std::stoi(digits, nullptr, 16));
        digits.clear();
      }
      continue;
    }
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    digits += c;
  }
  if (!digits.empty()) {
    if (digits.size() > 2) return false;
    bytes += static_cast<char>(std::stoi(digits, nullptr, 16));
  }
  return true;
}

std::string HexBytes(const std::string& bytes) {
  std::string result;
  char buffer[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(bytes[i]));
    if (i > 0) result += ',';
    result += buffer;
  }
  return result;
}

// UTF-16LE bytes (regedit 5 files) to UTF-8, for expandable strings.
std::string Utf8FromUtf16(const std::string& bytes) {
  std::string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    uint32_t c = static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
      const uint32_t low = static_cast<unsigned char>(bytes[i + 2]) | static_cast<unsigned char>(bytes[i + 3]) << 8;
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string UpToNul(const std::string& text) { return text.substr(0, text.find('\0')); }

// Lines with hex data may continue on the next line after a trailing backslash.
std::vector<std::string> LogicalLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line, pending;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!pending.empty()) {
      line.erase(0, line.find_first_not_of(" \t"));
      line = pending + line;
      pending.clear();
    }
    if (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos) {
      line.pop_back();
      pending = line;
      continue;
    }
    lines.push_back(line);
  }
  if (!pending.empty()) lines.push_back(pending);
  return lines;
}

}  // namespace

bool RegFile::Parse(const std::string& text, const std::string& keyPath) {
  entries_.clear();
  std::vector<Entry> parsed;
  std::string content = text;
  if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) content.erase(0, 3);  // a byte-order mark
  const std::vector<std::string> lines = LogicalLines(content);
  size_t i = 0;
  while (i < lines.size() && lines[i].find_first_not_of(" \t") == std::string::npos) ++i;
  if (i == lines.size()) return true;  // an empty file is an empty key
  bool unicode = false;
  if (lines[i] == "Windows Registry Editor Version 5.00")
    unicode = true;
  else if (lines[i] != "REGEDIT4")
    return false;
  bool inKey = false;
  for (++i; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == ';') continue;
    if (line[start] == '[') {
      if (line.substr(start) != "[" + keyPath + "]") return false;
      inKey = true;
      continue;
    }
    if (!inKey) return false;
    Entry entry;
    size_t pos = start;
    if (line[pos] == '@') {
      ++pos;
    } else if (!Unquote(line, pos, entry.name)) {
      return false;
    }
    if (pos >= line.size() || line[pos] != '=') return false;
    const std::string data = line.substr(pos + 1);
    if (data == "-") continue;  // regedit's "delete this value"
    std::string bytes;
    if (!data.empty() && data[0] == '"') {
      size_t p = 0;
      std::string value;
      if (!Unquote(data, p, value) || data.find_first_not_of(" \t", p) != std::string::npos) return false;
      entry.value.type = RegistryValueType::String;
      entry.value.text = UpToNul(value);
    } else if (data.compare(0, 6, "dword:") == 0) {
      const std::string digits = data.substr(6);
      if (digits.empty() || digits.size() > 8 ||
          digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
      entry.value.type = RegistryValueType::Number;
      entry.value.number = static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
    } else if (data.compare(0, 7, "hex(2):") == 0) {
      if (!ParseHexBytes(data.substr(7), bytes)) return false;
      entry.value.type = RegistryValueType::ExpandString;
      entry.value.text = UpToNul(unicode ? Utf8FromUtf16(bytes) : bytes);
    } else if (data.compare(0, 3, "hex") == 0) {
      const size_t colon = data.find(':');
      if (colon == std::string::npos || !ParseHexBytes(data.substr(colon + 1), bytes)) return false;
      entry.value.type = RegistryValueType::Other;
      entry.raw = data;
    } else {
      return false;
    }
    parsed.push_back(entry);
  }
  // A name given twice keeps its last value, as regedit would have it.
  for (const Entry& entry : parsed) {
    const auto same = std::find_if(entries_.begin(), entries_.end(),
                                   [&](const Entry& e) { return SameIgnoringCase(e.name, entry.name); });
    if (same == entries_.end())
      entries_.push_back(entry);
    else
      *same = entry;
  }
  return true;
}

std::string RegFile::Serialize(const std::string& keyPath) const {
  std::string text = "REGEDIT4\n\n[" + keyPath + "]\n";
  for (const Entry& entry : entries_) {
    text += entry.name.empty() ? std::string("@") : Quote(entry.name);
    text += '=';
    switch (entry.value.type) {
      case RegistryValueType::String:
        text += Quote(entry.value.text);
        break;
      case RegistryValueType::Number: {
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x", entry.value.number);
        text += digits;
        break;
      }
      case RegistryValueType::ExpandString:
        text += "hex(2):" + HexBytes(entry.value.text + '\0');
        break;
      case RegistryValueType::Other:
        text += entry.raw;
        break;
    }
    text += '\n';
  }
  return text;
}

const RegFile::Entry* RegFile::Find(const std::string& name) const {
  for (const Entry& entry : entries_)
    if (SameIgnoringCase(entry.name, name)) return &entry;
  return nullptr;
}

void RegFile::Set(const std::string& name, const RegistryValue& value) {
  for (Entry& entry : entries_) {
    if (SameIgnoringCase(entry.name, name)) {
      entry.value = value;
      entry.raw.clear();
      return;
    }
  }
  entries_.push_back(Entry{name, value, std::string()});
}

bool RegFile::Remove(const std::string& name) {
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [&](const Entry& entry) { return SameIgnoringCase(entry.name, name); });
  if (it == entries_.end()) return false;
  entries_.erase(it);
  return true;
}

}  // namespace platform
