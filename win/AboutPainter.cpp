#include "AboutPainter.h"

#include "AboutLayout.h"
#include "PictureLayout.h"
#include "Raster.h"

namespace quorvel::win {

namespace {

constexpr std::uint32_t kBackground = 0xFF505050;
constexpr std::uint32_t kViewFill = 0xFF404040, kStroke = 0xFF303030;
constexpr COLORREF kLabelText = RGB(0xE0, 0xE0, 0xE0);

// A framed view: `fill` inside a one-pixel `kStroke` line, corners of `radius`.
void PaintFrame(Raster& r, const Rect& box, int radius, const Paint& fill, int dpi) {
  const RectF b = ToRectF(box);
  const double stroke = dpi / 96.0, outer = ScaleToDpi(radius, dpi);
  r.FillRoundRect(b.Inset(stroke), CornerRadii::All(std::max(outer - stroke, 0.0)), fill);
  r.StrokeRoundRect(b, CornerRadii::All(outer), kStroke, stroke);
}

void PaintPicture(Raster& r, const SlotPicture& picture, const RectF& at, const Rect& clip) {
  if (picture.Width() <= 0 || picture.Height() <= 0)
    return;
  r.SetClip(clip);
  r.DrawPicture(at, picture.Pixels().data(), picture.Width(), picture.Height());
  r.ResetClip();
}

void PaintLabel(HDC dc, const Rect& box, const std::wstring& text, HFONT font) {
  RECT r{box.Left, box.Top, box.Right, box.Bottom};
  const SelectGuard f(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kLabelText);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

void PaintAbout(LayeredCanvas& canvas, const AboutScene& s) {
  Raster r(canvas.Pixels(), canvas.Width(), canvas.Height());
  r.Fill({0, 0, canvas.Width(), canvas.Height()}, kBackground);

  const Rect emblemView = ScaleToDpi(kEmblemView, s.dpi);
  PaintFrame(r, emblemView, 2, kViewFill, s.dpi);
  if (s.emblem) {
    // Centred at its picture scale in the view's padding; the view has no scroll bars.
    const int pad = ScaleToDpi(2, s.dpi);
    const Rect inner{emblemView.Left + pad, emblemView.Top + pad, emblemView.Right - pad,
                     emblemView.Bottom - pad};
    const double scale = s.emblemScale * s.dpi / 96.0;
    PaintPicture(r, *s.emblem,
                 CentredAtScale(ToRectF(inner), s.emblem->Width(), s.emblem->Height(), scale),
                 inner);
  }

  const Rect shotView = ScaleToDpi(kScreenshotView, s.dpi);
  PaintFrame(r, shotView, 3,
             Paint(Paint::Direction::Down, {{0, 0xFF303030}, {0.698, 0xFF404040}, {1, 0xFF404040}}),
             s.dpi);
  if (s.screenshot) {
    const int inset = ScaleToDpi(3, s.dpi);
    const Rect inner{shotView.Left + inset, shotView.Top + inset, shotView.Right - inset,
                     shotView.Bottom - inset};
    PaintPicture(r, *s.screenshot,
                 FitCentred(ToRectF(inner), s.screenshot->Width(), s.screenshot->Height()), inner);
  }

  PaintLabel(canvas.Dc(), ScaleToDpi(kVersionLabel, s.dpi), s.version, s.versionFont);
  PaintLabel(canvas.Dc(), ScaleToDpi(kRightsLabel, s.dpi), s.rights, s.rightsFont);
  GdiFlush();
}

}  // namespace quorvel::win
