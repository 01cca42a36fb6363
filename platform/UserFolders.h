#pragma once

#include <string>

namespace platform {

// The folder of the current user's run journals, ending in the separator; it may not
// exist yet. $STAMPEL_JOURNAL_DIR overrides it. Windows: %LOCALAPPDATA%\Stampel\journal\;
// POSIX: $XDG_STATE_HOME/stampel/journal/ (default ~/.local/state/stampel/journal/).
std::string JournalFolder();

}  // namespace platform
