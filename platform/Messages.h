#pragma once

namespace platform {

// Lets the window messages that are waiting run, so that windows stay painted and their
// buttons act while a long pass runs on the window thread. Does nothing without windows.
void ProcessMessages();

}  // namespace platform
