#include "platform/win32/MessagePump.h"

#include <algorithm>
#include <utility>
#include <vector>

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
