#pragma once

#include <string>
#include <vector>

namespace test {

// A path the build gave, as this program must pass it on (under Wine, / is drive Z:).
std::string FromBuild(std::string path);

// Runs the program (stampel, or Stampel.exe under Wine) with the arguments and waits for
// it; its exit code, or -1. With a folder, the program starts in it.
int RunProgram(const std::vector<std::string>& arguments, const std::string& folder = "");

}  // namespace test
