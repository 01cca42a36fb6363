#pragma once

#include "platform/win32/WinApi.h"

namespace platform::win32 {

// Hands one queued message on: keyboard navigation first (Tab, Enter for the default
// button, Esc for the cancel button, a button's Alt+letter) in the top-level window it
// belongs to, then the window procedure. Every message loop of the program uses it.
void DispatchQueued(MSG& message);

// Keyboard shortcuts of a top-level window's menu: while the window exists, the keys of
// the table send its commands (before the keyboard navigation sees them). nullptr removes
// them; the caller keeps the table and destroys it after.
void SetWindowAccelerators(HWND window, HACCEL table);

}  // namespace platform::win32
