#include "platform/posix/StrftimePattern.h"

#include <cstring>
#include <vector>

namespace platform::posix {

namespace {

// One piece of a strftime pattern: a conversion such as 'd' (flags and modifiers read), or
// literal text when conversion is 0.
struct Token {
  char conversion = 0;
  bool unpadded = false;  // the - or _ flag: no leading zeros
  std::string text;
};

// Composite conversions nest (%c holds %x, which may hold %D); deeper than this is a loop.
constexpr int kMaxNesting = 4;

void AppendLiteral(std::vector<Token>& tokens, std::string_view text) {
  if (text.empty()) return;
  if (tokens.empty() || tokens.back().conversion != 0) tokens.push_back(Token{});
  tokens.back().text.append(text);
}

void Tokenize(std::string_view pattern, const StrftimePatterns& patterns, int depth,
              std::vector<Token>& tokens) {
  if (depth > kMaxNesting) return;
  size_t i = 0;
  while (i < pattern.size()) {
    if (pattern[i] != '%') {
      AppendLiteral(tokens, pattern.substr(i, 1));
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool unpadded = false;
    while (j < pattern.size() && std::strchr("-_0^#", pattern[j]) != nullptr) {
      if (pattern[j] == '-' || pattern[j] == '_') unpadded = true;
      ++j;
    }
    while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9') ++j;
    if (j < pattern.size() && (pattern[j] == 'E' || pattern[j] == 'O')) ++j;
    if (j >= pattern.size()) {
      AppendLiteral(tokens, pattern.substr(i));
      return;
    }
    const char conversion = pattern[j];
    i = j + 1;
    switch (conversion) {
      case '%':
        AppendLiteral(tokens, "%");
        break;
      case 'n':
      case 't':
        AppendLiteral(tokens, " ");
        break;
      case 'D':
        Tokenize("%m/%d/%y", patterns, depth + 1, tokens);
        break;
      case 'F':
        Tokenize("%Y-%m-%d", patterns, depth + 1, tokens);
        break;
      case 'T':
        Tokenize("%H:%M:%S", patterns, depth + 1, tokens);
        break;
      case 'R':
        Tokenize("%H:%M", patterns, depth + 1, tokens);
        break;
      case 'r':
        Tokenize(patterns.timeAmPm.empty() ? "%I:%M:%S %p" : patterns.timeAmPm, patterns, depth + 1,
                 tokens);
        break;
      case 'x':
        Tokenize(patterns.date, patterns, depth + 1, tokens);
        break;
      case 'X':
        Tokenize(patterns.time, patterns, depth + 1, tokens);
        break;
      case 'c':
        Tokenize(patterns.dateTime, patterns, depth + 1, tokens);
        break;
      default: {
        Token token;
        token.conversion = conversion == 'h' ? 'b' : conversion == 'P' ? 'p' : conversion;
        token.unpadded = unpadded;
        tokens.push_back(token);
      }
    }
  }
}

std::vector<Token> Tokenize(std::string_view pattern, const StrftimePatterns& patterns) {
  std::vector<Token> tokens;
  Tokenize(pattern, patterns, 0, tokens);
  return tokens;
}

bool IsOneOf(char conversion, const char* set) {
  return conversion != 0 && std::strchr(set, conversion) != nullptr;
}

constexpr const char* kDateNumbers = "demyYgG";
constexpr const char* kDateParts = "demyYgGbBaA";
constexpr const char* kTimeNumbers = "HkIlMS";
constexpr const char* kHours = "HkIl";

// The literal text between neighbouring numbers of the set, when it is the same everywhere.
std::optional<std::string> SeparatorOf(const std::vector<Token>& tokens, const char* numbers) {
  std::optional<std::string> separator;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (!IsOneOf(tokens[i].conversion, numbers)) continue;
    size_t next = i + 1;
    std::string between;
    if (next < tokens.size() && tokens[next].conversion == 0) between = tokens[next++].text;
    if (next >= tokens.size() || !IsOneOf(tokens[next].conversion, numbers)) continue;
    if (separator && *separator != between) return std::nullopt;
    separator = between;
  }
  return separator;
}

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Writes literal text so that the format language copies it: letters, quote characters and
// separator characters that are not the locale's separators go inside quotes.
void AppendQuoted(std::string& out, std::string_view text, const std::string& dateSeparator,
                  const std::string& timeSeparator) {
  char open = 0;
  for (const char c : text) {
    const bool special = IsAsciiLetter(c) || c == '\'' || c == '"' ||
                         (c == '/' && dateSeparator != "/") || (c == ':' && timeSeparator != ":");
    if (special && (open == 0 || c == open)) {
      if (open != 0) out += open;
      open = c == '"' ? '\'' : '"';
      out += open;
    }
    out += c;
  }
  if (open != 0) out += open;
}

const char* SpecifierOf(const Token& token) {
  switch (token.conversion) {
    case 'd':
      return token.unpadded ? "d" : "dd";
    case 'e':
      return "d";
    case 'm':
      return token.unpadded ? "m" : "mm";
    case 'y':
    case 'g':
      return "yy";
    case 'Y':
    case 'G':
      return "yyyy";
    case 'b':
      return "mmm";
    case 'B':
      return "mmmm";
    case 'a':
      return "ddd";
    case 'A':
      return "dddd";
  }
  return "";
}

void AppendSpecifier(std::string& out, const char* specifier) {
  // Two runs of one letter would merge into one longer specifier; an empty quote parts them.
  if (!out.empty() && out.back() == specifier[0]) out += "\"\"";
  out += specifier;
}

}  // namespace

std::optional<std::string> DateSeparatorOf(const StrftimePatterns& patterns) {
  return SeparatorOf(Tokenize(patterns.date, patterns), kDateNumbers);
}

std::optional<std::string> TimeSeparatorOf(const StrftimePatterns& patterns) {
  return SeparatorOf(Tokenize(patterns.time, patterns), kTimeNumbers);
}

std::optional<std::string> DatePatternOf(std::string_view pattern,
                                         const StrftimePatterns& patterns) {
  const std::vector<Token> tokens = Tokenize(pattern, patterns);
  std::vector<size_t> kept;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (IsOneOf(tokens[i].conversion, kDateParts)) kept.push_back(i);
  }
  if (kept.empty()) return std::nullopt;

  const std::string dateSeparator = DateSeparatorOf(patterns).value_or("");
  const std::string timeSeparator = TimeSeparatorOf(patterns).value_or("");
  std::string out;
  // The stretches around and between the date conversions: one without left-out
  // conversions is copied whole; of one with them only the text that touches a kept
  // conversion stays (the first piece between two dates, trimmed at the outer ends).
  for (size_t k = 0; k <= kept.size(); ++k) {
    const size_t begin = k == 0 ? 0 : kept[k - 1] + 1;
    const size_t end = k == kept.size() ? tokens.size() : kept[k];
    bool leavesOut = false;
    for (size_t i = begin; i < end; ++i) leavesOut = leavesOut || tokens[i].conversion != 0;
    std::string_view literal;
    if (!leavesOut) {
      if (begin < end) literal = tokens[begin].text;
    } else if (k == 0) {
      if (tokens[end - 1].conversion == 0) literal = TrimLeft(tokens[end - 1].text);
    } else if (k == kept.size()) {
      if (tokens[begin].conversion == 0) literal = TrimRight(tokens[begin].text);
    } else if (tokens[begin].conversion == 0) {
      literal = tokens[begin].text;
    } else if (tokens[end - 1].conversion == 0) {
      literal = tokens[end - 1].text;
    }
    AppendQuoted(out, literal, dateSeparator, timeSeparator);
    if (k < kept.size()) AppendSpecifier(out, SpecifierOf(tokens[kept[k]]));
  }
  return out;
}

std::optional<ClockStyle> ClockStyleOf(const StrftimePatterns& patterns) {
  const std::vector<Token> tokens = Tokenize(patterns.time, patterns);
  bool markerSeen = false;
  for (const Token& token : tokens) {
    if (token.conversion == 'p') markerSeen = true;
    if (!IsOneOf(token.conversion, kHours)) continue;
    ClockStyle style;
    style.twelveHour = token.conversion == 'I' || token.conversion == 'l';
    style.leadingZero = (token.conversion == 'H' || token.conversion == 'I') && !token.unpadded;
    style.markerBeforeTime = markerSeen;
    return style;
  }
  return std::nullopt;
}

}  // namespace platform::posix
