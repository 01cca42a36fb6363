#pragma once

#include <string>

namespace platform {
class FileSystem;
}

namespace ui::console {

// True when the path pattern matches at least one file, in its folder or, with recurse,
// in any subfolder below it (the folders the rename pass would walk).
bool MatchesAnyFile(platform::FileSystem& files, const std::string& pattern, bool recurse);

}  // namespace ui::console
