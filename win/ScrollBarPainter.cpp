#include "ScrollBarPainter.h"

#include <algorithm>

#include "AboutLayout.h"

namespace quorvel::win {

namespace {

constexpr std::uint32_t kLight = 0xFF606060, kDark = 0xFF303030;
constexpr std::uint32_t kArrow = 0xFF000000, kArrowHot = 0xFF202020;
constexpr std::uint32_t kThumbStart = 0xFFF4BB40, kThumbStartHot = 0xFFF9DDA2;
constexpr std::uint32_t kThumbEnd = 0xFF674704, kThumbStroke = 0xFF404040;

enum class Points { Up, Down, Left, Right };

void PaintButton(Raster& r, const Rect& button, Points points, bool hot, int dpi) {
  const double radius = ScaleToDpi(2, dpi);
  CornerRadii corners;
  switch (points) {
    case Points::Up:
      corners = {radius, radius, 0, 0};
      break;
    case Points::Down:
      corners = {0, 0, radius, radius};
      break;
    case Points::Left:
      corners = {radius, 0, 0, radius};
      break;
    case Points::Right:
      corners = {0, radius, radius, 0};
      break;
  }
  // The gradient runs across the bar: left to right on a vertical bar's buttons.
  const bool vertical = points == Points::Up || points == Points::Down;
  const Paint paint(vertical ? Paint::Direction::Right : Paint::Direction::Down,
                    {{0, kLight}, {1, kDark}});
  const RectF b = ToRectF(button);
  r.FillRoundRect(b, corners, paint);

  // 8 x 7 pointing up or down, 7 x 8 pointing left or right.
  const double w = ScaleToDpi(vertical ? 8 : 7, dpi), h = ScaleToDpi(vertical ? 7 : 8, dpi);
  const double cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
  const double l = cx - w / 2, t = cy - h / 2, rt = cx + w / 2, bt = cy + h / 2;
  const std::uint32_t colour = hot ? kArrowHot : kArrow;
  switch (points) {
    case Points::Up:
      r.FillTriangle({l, bt}, {rt, bt}, {cx, t}, colour);
      break;
    case Points::Down:
      r.FillTriangle({l, t}, {rt, t}, {cx, bt}, colour);
      break;
    case Points::Left:
      r.FillTriangle({rt, t}, {rt, bt}, {l, cy}, colour);
      break;
    case Points::Right:
      r.FillTriangle({l, t}, {l, bt}, {rt, cy}, colour);
      break;
  }
}

}  // namespace

void PaintScrollBar(Raster& r, const ScrollBarLayout& bar, const ScrollMetrics& m, ScrollPart hot,
                    int dpi) {
  const bool vertical = bar.Along() == Orientation::Vertical;
  const Paint::Direction across = vertical ? Paint::Direction::Right : Paint::Direction::Down;
  r.Fill(bar.Bar(), kScrollBarBackground);
  PaintButton(r, bar.BackButton(), vertical ? Points::Up : Points::Left,
              hot == ScrollPart::LineBack, dpi);
  PaintButton(r, bar.ForwardButton(), vertical ? Points::Down : Points::Right,
              hot == ScrollPart::LineForward, dpi);

  const Rect track = bar.Track();
  if (track.Right <= track.Left || track.Bottom <= track.Top)
    return;
  r.FillRoundRect(ToRectF(track), {}, Paint(across, {{0, kLight}, {1, kDark}}));
  r.FillRoundRect(ToRectF(bar.Groove()), CornerRadii::All(ScaleToDpi(7, dpi)),
                  Paint(across, {{0, kDark}, {1, kLight}}));

  const RectF thumb = ToRectF(bar.Thumb(m));
  if (thumb.Width() <= 0 || thumb.Height() <= 0)
    return;
  const CornerRadii round = CornerRadii::All(std::min(thumb.Width(), thumb.Height()) / 2);
  const std::uint32_t start = hot == ScrollPart::Thumb ? kThumbStartHot : kThumbStart;
  const double stroke = dpi / 96.0;
  r.FillRoundRect(thumb.Inset(stroke), round, Paint(across, {{0, start}, {1, kThumbEnd}}));
  r.StrokeRoundRect(thumb, round, kThumbStroke, stroke);
}

}  // namespace quorvel::win
