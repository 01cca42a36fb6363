#include "ui/win32/TreeGlyph.h"

#include <algorithm>

namespace ui::win32 {

namespace {

// The picture on a 16 x 16 grid: ' ' is background, '#' outline, 'o' the nodes' fill,
// '|' the lines.
constexpr const char* kPicture[16] = {
    "######          ", "#oooo#          ", "#oooo#          ", "######          ",
    "  |   ######    ", "  |---#oooo#    ", "  |   ######    ", "  |             ",
    "  |   ######    ", "  |---#oooo#    ", "  |   ######    ", "  |             ",
    "  |   ######    ", "  ----#oooo#    ", "      ######    ", "                ",
};

constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr COLORREF kOutline = RGB(64, 64, 64);
constexpr COLORREF kNode = RGB(255, 208, 64);
constexpr COLORREF kLine = RGB(0, 0, 128);

COLORREF ColourOf(char c) {
  switch (c) {
    case '#':
      return kOutline;
    case 'o':
      return kNode;
    case '|':
    case '-':
      return kLine;
    default:
      return kTransparent;
  }
}

}  // namespace

HIMAGELIST CreateTreeGlyph(int side) {
  side = std::max(side, 16);
  // Each grid cell becomes a block of whole pixels, centred in the image.
  const int cell = side / 16;
  const int margin = (side - 16 * cell) / 2;

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, side, side);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH background = CreateSolidBrush(kTransparent);
  const RECT all{0, 0, side, side};
  FillRect(dc, &all, background);
  DeleteObject(background);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const COLORREF colour = ColourOf(kPicture[y][x]);
      if (colour == kTransparent) continue;
      HBRUSH brush = CreateSolidBrush(colour);
      const RECT block{margin + x * cell, margin + y * cell, margin + (x + 1) * cell,
                       margin + (y + 1) * cell};
      FillRect(dc, &block, brush);
      DeleteObject(brush);
    }
  }
  SelectObject(dc, old);
  DeleteDC(dc);

  HIMAGELIST list = ImageList_Create(side, side, ILC_COLOR24 | ILC_MASK, 1, 0);
  if (list) ImageList_AddMasked(list, bitmap, kTransparent);
  DeleteObject(bitmap);
  return list;
}

}  // namespace ui::win32
