#pragma once

#include <string>

#include "platform/win32/WinApi.h"

namespace ui::win32 {

// How a window's text should look; the size is in points and follows the window's DPI.
struct FontSpec {
  std::wstring face;
  double points = 8;
  bool bold = false;
  bool underline = false;
  bool fixedPitch = false;  // every character as wide as the next
};

// An owned font handle.
class TFont {
 public:
  TFont() = default;
  explicit TFont(HFONT handle) : handle_(handle) {}
  TFont(TFont&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  TFont& operator=(TFont&& other) noexcept;
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;
  ~TFont();

  HFONT Handle() const { return handle_; }

 private:
  HFONT handle_ = nullptr;
};

// True when a font family of that name is installed (or substituted by the system).
bool FontFamilyExists(const std::wstring& face);

// The face of the system's dialog (message) font, e.g. "Segoe UI".
std::wstring DialogFontFace();

// The font as asked for; where its family is missing, the system's dialog font of the
// same size and weight (or, for a fixed-pitch font, the system's choice of one).
TFont CreateUiFont(const FontSpec& spec, int dpi);

// The face name a font handle was made with.
std::wstring FaceOf(HFONT font);

}  // namespace ui::win32
