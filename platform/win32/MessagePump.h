#pragma once

#include "platform/win32/WinApi.h"

namespace platform::win32 {

// Hands one queued message on: keyboard navigation first (Tab, Enter for the default
// button, Esc for the cancel button, a button's Alt+letter) in the top-level window it
// belongs to, then the window procedure. Every message loop of the program uses it.
void DispatchQueued(MSG& message);

}  // namespace platform::win32
