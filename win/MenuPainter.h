// The dark look of the popup menu's owner-drawn items.
#pragma once

#include <windows.h>

#include <string>

namespace quorvel::win {

inline constexpr COLORREF kMenuBackground = RGB(0x33, 0x33, 0x33);
inline constexpr COLORREF kMenuHighlight = RGB(0x93, 0x66, 0x39);

// The size of an item showing `caption` at `dpi`.
SIZE MeasureMenuItem(HDC dc, HFONT font, const std::wstring& caption, int dpi);
// The side, in pixels, of the glyph place at `dpi`.
int MenuGlyphSide(int dpi);
// Background, the highlight when selected, the glyph (a premultiplied bitmap MenuGlyphSide
// square, or null for none) and the white caption.
void DrawMenuItem(const DRAWITEMSTRUCT& item, HFONT font, const std::wstring& caption, int dpi,
                  HBITMAP glyph);

}  // namespace quorvel::win
