// The text box's look: a rounded dark frame, the text with its orange-lit selection, the two
// scroll bars and the size grip between them. Drawn whole into a bitmap, then shown at once.
#include <algorithm>

#include "AboutLayout.h"
#include "PaintGuards.h"
#include "ReadOnlyMemo.h"
#include "ScrollBarPainter.h"
#include "Utf16.h"

namespace quorvel::win {

namespace {

constexpr std::uint32_t kParentBackground = 0xFF505050;  // shows at the rounded corners
constexpr std::uint32_t kFill = 0xFF333333, kStroke = 0xFF202020;
constexpr std::uint32_t kSelection = 0x70F69E2D;
constexpr COLORREF kText = RGB(0xEA, 0xEA, 0xEA);

}  // namespace

void ReadOnlyMemo::Paint(HDC target) {
  RECT client{};
  GetClientRect(Handle(), &client);
  LayeredCanvas canvas(client.right, client.bottom);
  if (!canvas.Pixels())
    return;
  Raster raster(canvas.Pixels(), canvas.Width(), canvas.Height());
  raster.Fill({0, 0, canvas.Width(), canvas.Height()}, kParentBackground);
  const RectF frame{0, 0, double(client.right), double(client.bottom)};
  const double radius = Scale(2), stroke = dpi_ / 96.0;
  raster.FillRoundRect(frame.Inset(stroke), CornerRadii::All(std::max(radius - stroke, 0.0)),
                       kFill);
  raster.StrokeRoundRect(frame, CornerRadii::All(radius), kStroke, stroke);

  PaintText(canvas, raster);
  GdiFlush();  // the text is in the pixels before they are drawn on directly again

  if (layout_.vertical)
    PaintScrollBar(raster, vertical_, VerticalMetrics(), verticalInput_.Hot(), dpi_);
  if (layout_.horizontal)
    PaintScrollBar(raster, horizontal_, HorizontalMetrics(), horizontalInput_.Hot(), dpi_);
  if (layout_.corner) {
    // The bars' background runs on into the corner, under the grip.
    const Rect& c = *layout_.corner;
    raster.Fill(c, kScrollBarBackground);
    if (grip_ && grip_->Width() > 0 && grip_->Height() > 0) {
      // At its own size, on whole pixels, so that its dots stay sharp.
      const int left = c.Left + (c.Right - c.Left - grip_->Width()) / 2;
      const int top = c.Top + (c.Bottom - c.Top - grip_->Height()) / 2;
      raster.SetClip(c);
      raster.DrawPicture(
          {double(left), double(top), double(left + grip_->Width()), double(top + grip_->Height())},
          grip_->Pixels().data(), grip_->Width(), grip_->Height());
      raster.ResetClip();
    }
  }

  if (target) {
    BitBlt(target, 0, 0, canvas.Width(), canvas.Height(), canvas.Dc(), 0, 0, SRCCOPY);
    return;
  }
  const PaintGuard paint(Handle());
  BitBlt(paint.Dc(), 0, 0, canvas.Width(), canvas.Height(), canvas.Dc(), 0, 0, SRCCOPY);
}

void ReadOnlyMemo::PaintText(LayeredCanvas& canvas, Raster& raster) const {
  const Rect& v = layout_.view;
  if (v.Right <= v.Left || v.Bottom <= v.Top)
    return;
  const int left = v.Left + Scale(kMarginX) - scrollX_;
  const int top = v.Top + Scale(kMarginY) - scrollY_;
  const int first = std::max((v.Top - top) / lineHeight_, 0);
  const int last = std::min((v.Bottom - top) / lineHeight_, lines_.Count() - 1);

  // The selection under the text; a selected line break shows as a little more.
  raster.SetClip(v);
  const TextPos from = selection_.Start(), to = selection_.End();
  const int lineBreak = std::max(lineHeight_ / 3, 1);
  for (int line = std::max(first, from.line);
       !selection_.Empty() && line <= std::min(last, to.line); ++line) {
    const std::vector<int>& x = extents_[line];
    const int begin = line == from.line ? from.column : 0;
    const int end = line == to.line ? to.column : static_cast<int>(x.size()) - 1;
    const int extra = line < to.line ? lineBreak : 0;
    const int y = top + line * lineHeight_;
    raster.Blend({left + x[begin], y, left + x[end] + extra, y + lineHeight_}, kSelection);
  }
  raster.ResetClip();

  const HDC dc = canvas.Dc();
  const SelectGuard f(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kText);
  const RECT clip{v.Left, v.Top, v.Right, v.Bottom};
  for (int line = first; line <= last; ++line) {
    const std::wstring text = ToWide(lines_.Line(line));
    if (text.empty())
      continue;
    // Each character where it was measured, so that selection and caret line up with it.
    const std::vector<int>& x = extents_[line];
    std::vector<INT> advances(text.size());
    for (size_t i = 0; i < text.size(); ++i)
      advances[i] = x[i + 1] - x[i];
    ExtTextOutW(dc, left, top + line * lineHeight_, ETO_CLIPPED, &clip, text.c_str(),
                static_cast<UINT>(text.size()), advances.data());
  }
}

}  // namespace quorvel::win
