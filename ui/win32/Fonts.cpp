#include "ui/win32/Fonts.h"

#include <algorithm>

#include "ui/DpiScale.h"

namespace ui::win32 {

TFont& TFont::operator=(TFont&& other) noexcept {
  if (this != &other) {
    if (handle_) DeleteObject(handle_);
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

TFont::~TFont() {
  if (handle_) DeleteObject(handle_);
}

namespace {

// Copies a face name into a LOGFONT, cut to its 31 characters.
void SetFaceName(LOGFONTW& font, const std::wstring& face) {
  const size_t length = std::min<size_t>(face.size(), LF_FACESIZE - 1);
  std::copy_n(face.c_str(), length, font.lfFaceName);
  font.lfFaceName[length] = L'\0';
}

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one match is enough
}

}  // namespace

bool FontFamilyExists(const std::wstring& face) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  SetFaceName(wanted, face);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

std::wstring DialogFontFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) &&
      metrics.lfMessageFont.lfFaceName[0] != 0) {
    return metrics.lfMessageFont.lfFaceName;
  }
  return L"MS Shell Dlg 2";
}

TFont CreateUiFont(const FontSpec& spec, int dpi) {
  const bool known = FontFamilyExists(spec.face);
  const std::wstring face = known ? spec.face : spec.fixedPitch ? L"" : DialogFontFace();
  LOGFONTW font{};
  font.lfHeight = -FontPixelHeight(spec.points, dpi);
  font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  font.lfUnderline = spec.underline ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = spec.fixedPitch ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE;
  SetFaceName(font, face);
  return TFont(CreateFontIndirectW(&font));
}

std::wstring FaceOf(HFONT font) {
  LOGFONTW description{};
  if (!font || GetObjectW(font, sizeof(description), &description) == 0) return L"";
  return description.lfFaceName;
}

}  // namespace ui::win32
