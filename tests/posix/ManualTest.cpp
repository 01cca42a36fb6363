// The usage that the program prints, the README's table of switches and the manual's
// list of options name the same switches.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Switches = std::vector<std::pair<std::string, std::string>>;  // switch, effect

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string ProgramOutput(const std::string& arguments) {
  std::string out;
  FILE* pipe = popen((std::string(STAMPEL_PROGRAM) + " " + arguments).c_str(), "r");
  if (pipe == nullptr) return out;
  std::array<char, 4096> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) out.append(buffer.data(), n);
  pclose(pipe);
  return out;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  while (!text.empty() && text.front() == ' ') text.erase(0, 1);
  return text;
}

std::string Without(std::string text, char c) {
  std::erase(text, c);
  return text;
}

// "  /N[width]   append ..." lines after "Switches:", up to the blank line.
Switches UsageSwitches(const std::string& usage) {
  Switches switches;
  std::istringstream lines(usage.substr(usage.find("\nSwitches:\n") + 11));
  std::string line;
  while (std::getline(lines, line) && !line.empty()) {
    const size_t gap = line.find("  ", 2);
    switches.emplace_back(Trimmed(line.substr(0, gap)), Trimmed(line.substr(gap)));
  }
  return switches;
}

// "| `/N[width]` | append ... |" rows under the "| switch | effect |" heading.
Switches ReadmeSwitches(const std::string& readme) {
  Switches switches;
  std::istringstream lines(readme.substr(readme.find("| switch | effect |")));
  std::string line;
  std::getline(lines, line);
  std::getline(lines, line);  // |---|---|
  while (std::getline(lines, line) && line.rfind("| ", 0) == 0) {
    const size_t middle = line.find(" | ");
    switches.emplace_back(Without(Trimmed(line.substr(2, middle - 2)), '`'),
                          Trimmed(line.substr(middle + 3, line.size() - middle - 5)));
  }
  return switches;
}

// The words of a font macro line (.B, .BI, .BR ...) as they print: quotes group words,
// the font alternates with no blank between the words.
std::string MacroText(const std::string& line) {
  std::string text;
  bool quoted = false;
  for (size_t i = line.find(' '); i != std::string::npos && i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ' ' && !quoted) {
    } else if (c == '\\' && i + 1 < line.size()) {
      const char next = line[++i];
      if (next == '-') text += '-';
      if (next == 'f') ++i;  // a font change
    } else {
      text += c;
    }
  }
  return text;
}

// The tag lines after each .TP of the OPTIONS section.
std::vector<std::string> ManualSwitches(const std::string& manual) {
  std::vector<std::string> switches;
  const size_t start = manual.find("\n.SH OPTIONS\n");
  std::istringstream lines(manual.substr(start + 1, manual.find("\n.SH ", start + 1) - start));
  std::string line;
  while (std::getline(lines, line))
    if (line == ".TP" && std::getline(lines, line)) switches.push_back(MacroText(line));
  return switches;
}

TEST(Manual, UsageReadmeAndManPageListTheSameSwitches) {
  const Switches usage = UsageSwitches(ProgramOutput("--help"));
  ASSERT_GE(usage.size(), 14u);
  EXPECT_EQ("/F:format", usage.front().first);

  EXPECT_EQ(usage, ReadmeSwitches(ReadFile(STAMPEL_SOURCE_DIR "/README.md")));

  std::vector<std::string> names;
  for (const auto& entry : usage) names.push_back(entry.first);
  EXPECT_EQ(names, ManualSwitches(ReadFile(STAMPEL_SOURCE_DIR "/docs/stampel.1.in")));
}

TEST(Manual, TagLinesReadAsTheyPrint) {
  EXPECT_EQ("/N[width]", MacroText(".BI /N[ width ]"));
  EXPECT_EQ("-h, --help", MacroText(".BR \\-h \", \" \\-\\-help"));
  EXPECT_EQ("/F:format", MacroText(".B \\fB/F:\\fIformat\\fR"));
}

}  // namespace
