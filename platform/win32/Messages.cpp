#include "platform/Messages.h"

#include "platform/win32/MessagePump.h"
#include "platform/win32/WinApi.h"

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
