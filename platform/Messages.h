#pragma once

#include <functional>

namespace platform {

// Lets the window messages that are waiting run, so that windows stay painted and their
// buttons act while a long pass runs on the window thread. Does nothing without windows.
void ProcessMessages();

// Runs handler on the main thread, from ProcessMessages, after the user asked to
// interrupt (Ctrl+C on a terminal). A second interrupt ends the program at once.
// Where there is no such request (a Windows GUI program) this does nothing.
void OnInterrupt(std::function<void()> handler);

}  // namespace platform
