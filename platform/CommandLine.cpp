#include "platform/CommandLine.h"

namespace platform {

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> words;
  size_t i = 0;
  for (;;) {
    while (i < commandLine.size() && static_cast<unsigned char>(commandLine[i]) <= ' ') ++i;
    if (i >= commandLine.size()) break;
    std::string word;
    bool quoted = false;
    for (; i < commandLine.size(); ++i) {
      const char c = commandLine[i];
      if (c == '"') {
        quoted = !quoted;
      } else if (!quoted && static_cast<unsigned char>(c) <= ' ') {
        break;
      } else {
        word += c;
      }
    }
    words.push_back(word);
  }
  return words;
}

}  // namespace platform
