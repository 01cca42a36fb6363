#include "platform/Messages.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/MessagePump.h"
#include "platform/win32/WinApi.h"

namespace platform::win32 {

namespace {

// The few windows with shortcuts: the main window, and windows under test.
std::vector<std::pair<HWND, HACCEL>>& Accelerators() {
  static std::vector<std::pair<HWND, HACCEL>> tables;
  return tables;
}

HACCEL AcceleratorsOf(HWND window) {
  for (const auto& [owner, table] : Accelerators())
    if (owner == window) return table;
  return nullptr;
}

}  // namespace

void SetWindowAccelerators(HWND window, HACCEL table) {
  auto& tables = Accelerators();
  tables.erase(std::remove_if(tables.begin(), tables.end(),
                              [window](const auto& entry) { return entry.first == window; }),
               tables.end());
  if (table) tables.emplace_back(window, table);
}

void DispatchQueued(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (HACCEL table = root ? AcceleratorsOf(root) : nullptr) {
    if (TranslateAcceleratorW(root, table, &message)) return;
  }
  if (root && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace platform::win32

namespace platform {

void ProcessMessages() {
  // Bounded in time: timers and repaints that come in faster than they are handled would
  // otherwise keep the queue full and the pass waiting here for ever.
  constexpr ULONGLONG kMostMs = 200;
  const ULONGLONG start = GetTickCount64();
  MSG message;
  while (GetTickCount64() - start < kMostMs && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave the quit request for the message loop that owns it.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    win32::DispatchQueued(message);
  }
}

}  // namespace platform

namespace platform {

// A GUI program has no terminal to interrupt it; the progress window's Stop button serves.
void OnInterrupt(std::function<void()>) {}

}  // namespace platform
