#include "readers/TakeoutJson.h"

#include <cstdint>
#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/TimeZone.h"

namespace {

constexpr size_t kMaxJsonBytes = 256 * 1024;
constexpr int kMaxDepth = 64;

// A forward-only reader of JSON text that understands just enough to find one value: it
// never reads past the end and gives up (false) on anything that is no JSON.
class JsonCursor {
 public:
  explicit JsonCursor(std::string_view text) : text_(text) {}

  void SkipBlanks() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
      ++at_;
  }
  // The character at the cursor after blanks, or 0 at the end.
  char Peek() {
    SkipBlanks();
    return at_ < text_.size() ? text_[at_] : '\0';
  }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++at_;
    return true;
  }
  // A string; escapes are kept as written (the keys and numbers sought have none).
  bool String(std::string_view& value) {
    if (!Take('"')) return false;
    const size_t start = at_;
    while (at_ < text_.size() && text_[at_] != '"') at_ += text_[at_] == '\\' ? 2 : 1;
    if (at_ >= text_.size()) {
      at_ = text_.size();  // an escape at the very end steps past it
      return false;
    }
    value = text_.substr(start, at_ - start);
    ++at_;
    return true;
  }
  // A number, true, false or null, as written.
  bool Word(std::string_view& value) {
    SkipBlanks();
    const size_t start = at_;
    while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '}' && text_[at_] != ']' &&
           text_[at_] != ' ' && text_[at_] != '\n' && text_[at_] != '\r' && text_[at_] != '\t')
      ++at_;
    value = text_.substr(start, at_ - start);
    return !value.empty();
  }
  bool SkipValue(int depth) {
    if (depth > kMaxDepth) return false;
    std::string_view ignored;
    switch (Peek()) {
      case '"':
        return String(ignored);
      case '{':
      case '[': {
        const char close = text_[at_] == '{' ? '}' : ']';
        const bool object = close == '}';
        ++at_;
        if (Take(close)) return true;
        do {
          if (object && !(String(ignored) && Take(':'))) return false;
          if (!SkipValue(depth + 1)) return false;
        } while (Take(','));
        return Take(close);
      }
      default:
        return Word(ignored);
    }
  }
  // Walks the members of the object at the cursor, calling visit(key) with the cursor at
  // each value; visit reads the value or returns false to have it skipped. Stops early
  // when visit sets done.
  template <typename Visit>
  bool Members(int depth, Visit visit) {
    if (!Take('{')) return false;
    if (Take('}')) return true;
    do {
      std::string_view key;
      if (!String(key) || !Take(':')) return false;
      bool done = false;
      if (!visit(key, done) && !SkipValue(depth + 1)) return false;
      if (done) return true;
    } while (Take(','));
    return Take('}');
  }

 private:
  std::string_view text_;
  size_t at_ = 0;
};

// Whole seconds written with digits only; -1 for anything else.
int64_t Seconds(std::string_view digits) {
  if (digits.empty() || digits.size() > 12) return -1;
  int64_t seconds = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    seconds = seconds * 10 + (c - '0');
  }
  return seconds;
}

}  // namespace

TDateTime TakeoutPhotoTaken(std::string_view json) {
  JsonCursor cursor(json);
  int64_t seconds = -1;
  cursor.Members(0, [&](std::string_view key, bool& done) {
    if (key != "photoTakenTime") return false;
    done = true;
    return cursor.Members(1, [&](std::string_view inner, bool& found) {
      if (inner != "timestamp") return false;
      found = true;
      std::string_view value;
      const bool read = cursor.Peek() == '"' ? cursor.String(value) : cursor.Word(value);
      if (read) seconds = Seconds(value);
      return read;
    });
  });
  if (seconds <= 0) return 0;  // "0" is Takeout's "unknown"
  return platform::LocalFromUnixMilliseconds(seconds * 1000);
}

TDateTime TakeoutPhotoTaken(platform::FileSystem& files, const std::string& path) {
  const std::unique_ptr<platform::ReadableFile> file = files.OpenForReading(path);
  std::string text(kMaxJsonBytes, '\0');
  text.resize(file->ReadAt(0, text.data(), text.size()));
  return TakeoutPhotoTaken(text);
}
