#include "MenuPainter.h"

#include "Handles.h"

namespace quorvel::win {

namespace {

constexpr int kGlyphColumn = 25, kCaptionMargin = 8, kItemMargin = 1, kItemHeight = 22;
constexpr int kShortcutRoom = 12 + 6 + 7;  // shortcut margins and the sub-menu triangle

int Scale(int v, int dpi) {
  return MulDiv(v, dpi, 96);
}

}  // namespace

SIZE MeasureMenuItem(HDC dc, HFONT font, const std::wstring& caption, int dpi) {
  const SelectGuard f(dc, font);
  SIZE text{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  const int width =
      Scale(kItemMargin * 2 + kGlyphColumn + kCaptionMargin * 2 + kShortcutRoom, dpi) + text.cx;
  return {width, Scale(kItemHeight, dpi)};
}

int MenuGlyphSide(int dpi) {
  return Scale(16, dpi);
}

void DrawMenuItem(const DRAWITEMSTRUCT& item, HFONT font, const std::wstring& caption, int dpi,
                  HBITMAP glyph) {
  const HDC dc = item.hDC;
  RECT r = item.rcItem;
  const UniqueBrush background(CreateSolidBrush(kMenuBackground));
  FillRect(dc, &r, background.get());
  if (item.itemState & ODS_SELECTED) {
    const UniqueBrush highlight(CreateSolidBrush(kMenuHighlight));
    const UniquePen none(CreatePen(PS_NULL, 0, 0));
    const SelectGuard b(dc, highlight.get()), p(dc, none.get());
    const int m = Scale(kItemMargin, dpi), radius = Scale(2, dpi) * 2;
    RoundRect(dc, r.left + m, r.top + m, r.right - m + 1, r.bottom - m + 1, radius, radius);
  }
  if (glyph) {
    const int side = MenuGlyphSide(dpi);
    const int x = r.left + Scale(kItemMargin, dpi) + (Scale(kGlyphColumn, dpi) - side) / 2;
    const int y = r.top + (r.bottom - r.top - side) / 2;
    const UniqueDc source(CreateCompatibleDC(dc));
    const SelectGuard g(source.get(), glyph);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, side, side, source.get(), 0, 0, side, side, blend);
  }
  RECT text = r;
  text.left += Scale(kItemMargin + kGlyphColumn + kCaptionMargin, dpi);
  text.right -= Scale(kCaptionMargin, dpi);
  const SelectGuard f(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace quorvel::win
