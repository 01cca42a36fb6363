#pragma once

#include <string>

namespace ui::console {

// What "stampel --help" (and a bare "stampel") prints: the title line, what the program
// does, one line per switch, examples, where the settings live and the exit codes.
std::string UsageText();

}  // namespace ui::console
