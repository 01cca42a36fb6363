#include "platform/Messages.h"

#include "platform/win32/MessagePump.h"
#include "platform/win32/WinApi.h"

namespace platform::win32 {

void DispatchQueued(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace platform::win32

namespace platform {

void ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
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
