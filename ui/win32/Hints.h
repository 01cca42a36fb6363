#pragma once

#include <string>

#include "platform/win32/WinApi.h"

namespace ui::win32 {

// The tooltips of one window: each control's hint shows when the mouse rests on it.
// The tooltip window belongs to the form and goes with it.
class THints {
 public:
  // Creates the tooltip window for the form; call once after the form exists.
  void Create(HWND form);
  void Add(HWND control, const std::string& hint);
  HWND Handle() const { return tooltip_; }

 private:
  HWND form_ = nullptr;
  HWND tooltip_ = nullptr;
};

}  // namespace ui::win32
