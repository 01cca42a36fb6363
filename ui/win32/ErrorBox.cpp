#include "ui/win32/ErrorBox.h"

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"

namespace ui::win32 {

void ShowErrorBox(const std::string& message) {
  using platform::win32::Widen;
  // Task-modal: every window of the program waits until the box is closed.
  MessageBoxW(nullptr, Widen(message).c_str(), Widen(kErrorBoxCaption).c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

void ShowCurrentException() {
  try {
    throw;
  } catch (const std::exception& failure) {
    ShowErrorBox(failure.what());
  } catch (...) {
    ShowErrorBox("Unknown failure.");
  }
}

}  // namespace ui::win32
