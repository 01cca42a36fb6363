#include "platform/CommandLine.h"

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"

namespace platform {

std::vector<std::string> ProgramArguments(int, char**) {
  std::vector<std::string> words = SplitCommandLine(win32::Narrow(GetCommandLineW()));
  if (!words.empty()) words.erase(words.begin());
  return words;
}

bool SlashStartsPaths() { return false; }

}  // namespace platform
