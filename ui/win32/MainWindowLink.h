#pragma once

#include <string>

#include "platform/win32/WinApi.h"

namespace ui::win32 {

// What the progress window needs of the main window: where the main window stands, so
// that it can place itself beside it, and the caption of its Show Progress button, which
// follows the progress window's visibility. The main window implements it.
class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;
  virtual HWND MainWindowHandle() const = 0;
  virtual void SetShowProgressCaption(const std::string& caption) = 0;
};

}  // namespace ui::win32
