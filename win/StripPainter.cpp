#include "StripPainter.h"

#include "Utf16.h"
#include "WinIcons.h"

namespace quorvel::win {

namespace {

constexpr std::uint32_t kStroke = 0xFF303030;
constexpr std::uint32_t kPanel = 0xFF404040;

void PaintHeader(LayeredCanvas& c, const StripGeometry& g, const SlotGrid& grid, int tab,
                 const StripState& state, HFONT font) {
  const Rect h = g.Header(tab);
  const bool selected = tab == state.activeTab;
  // Selected: lighter, 2 px taller and reaching 1 px into the page below.
  Rect r{h.Left + g.Scale(2), h.Top + (selected ? 0 : g.Scale(2)), h.Right + g.Scale(2),
         h.Bottom + (selected ? g.Scale(1) : 0)};
  const std::uint32_t top = selected ? 0xFF606060 : (tab == state.hotHeader ? 0xFF505050 : kStroke);
  // Rounded top corners, open at the bottom where the header meets the page.
  const Corners rounded{g.Scale(3), 0};
  c.Gradient(r, top, kPanel, 0, rounded);
  c.Frame(r, kStroke, false, rounded);

  const std::wstring text = ToWide(grid.TabItems[tab].Text);
  RECT tr{r.Left + g.Scale(8), r.Top + g.Scale(3), r.Right - g.Scale(8), r.Bottom - g.Scale(2)};
  const SelectGuard f(c.Dc(), font);
  SetBkMode(c.Dc(), TRANSPARENT);
  SetTextColor(c.Dc(), RGB(255, 255, 255));
  DrawTextW(c.Dc(), text.c_str(), static_cast<int>(text.size()), &tr,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  GdiFlush();
  c.MakeOpaque({tr.left, tr.top, tr.right, tr.bottom});  // text draws only inside its rectangle
}

void PaintSlot(LayeredCanvas& c, const StripGeometry& g, const Slot& slot, int index) {
  const auto visible = g.VisibleSlot(index);
  const auto* picture = dynamic_cast<const SlotPicture*>(slot.Picture.get());
  if (!visible || !picture || picture->Width() <= 0 || picture->Height() <= 0)
    return;
  const Rect square = g.SlotSquare(index);
  const int side = square.Right - square.Left;
  // Fitted with its aspect ratio; icons are taken at the slot's size, so usually 1:1.
  const int longer = std::max(picture->Width(), picture->Height());
  const int w = picture->Width() * side / longer, h = picture->Height() * side / longer;
  const int x0 = square.Left + (side - w) / 2, y0 = square.Top + (side - h) / 2;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int px = x0 + x;
      if (px >= visible->Right)
        break;
      c.Blend(px, y0 + y, picture->At(x * picture->Width() / w, y * picture->Height() / h));
    }
  }
}

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

void PaintStrip(LayeredCanvas& c, const StripGeometry& g, const SlotGrid& grid,
                const StripState& state, HFONT font) {
  c.Clear();
  // The page below the header band.
  const Rect control = g.TabControl();
  const Rect page{control.Left, g.Scale(kHeaderBandHeight), control.Right, control.Bottom};
  const Corners rounded{g.Scale(2), g.Scale(2)};
  c.Gradient(page, kPanel, kStroke, 0.698, rounded);
  c.Frame(page, kStroke, true, rounded);
  for (int t = 0; t < kTabCount; ++t) {
    if (t != state.activeTab)
      PaintHeader(c, g, grid, t, state, font);
  }
  PaintHeader(c, g, grid, state.activeTab, state, font);  // over its neighbours
  const auto& row = grid.SlotImages[state.activeTab];
  for (int s = 0; s < kSlotsPerTab; ++s)
    PaintSlot(c, g, row[s], s);
  if (const auto r = state.dropSlot >= 0 ? g.VisibleSlot(state.dropSlot) : std::nullopt) {
    c.Frame(*r, 0xFFF69E2D);
  }
}

UniqueFont CreateUiFont(int dpi, int logicalHeight) {
  const wchar_t* chosen = L"MS UI Gothic";
  const ScreenDc screen;
  for (const wchar_t* face : {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic"}) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(lf.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(screen.get(), &lf, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
    if (found) {
      chosen = face;
      break;
    }
  }
  return UniqueFont(CreateFontW(-MulDiv(logicalHeight, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                CLEARTYPE_QUALITY, DEFAULT_PITCH, chosen));
}

}  // namespace quorvel::win
