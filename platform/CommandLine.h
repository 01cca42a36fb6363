#pragma once

#include <string>
#include <vector>

namespace platform {

// The program's arguments as UTF-8, without the program's own name. On Windows they are
// split from the command line itself: blanks separate, double quotes group and are
// removed (a backslash is an ordinary character). POSIX takes argv as the shell split it.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// True where "/" begins absolute paths (POSIX): there an argument with a "/" after its
// first character is a path pattern, not a switch (/F: excepted), and "--" ends the switches.
bool SlashStartsPaths();

// Splits a Windows command line by the rules above; the first word is the program's name.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace platform
