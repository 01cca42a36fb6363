#include "ui/Frontend.h"

#include "ui/win32/WinFrontend.h"

// The frontend of the Windows build: its windows.
tFrontend& Frontend() { return ui::win32::WindowsFrontend(); }
