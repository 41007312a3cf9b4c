#include "ScrollBar.h"

#include <algorithm>

namespace quorvel {

int MaxScrollPosition(const ScrollMetrics& m) {
  return std::max(0, m.extent - std::max(m.page, 0));
}

int ClampScrollPosition(const ScrollMetrics& m, int position) {
  return std::clamp(position, 0, MaxScrollPosition(m));
}

ThumbSpan ThumbOf(int track, int minLength, const ScrollMetrics& m) {
  track = std::max(track, 0);
  const int max = MaxScrollPosition(m);
  if (max == 0 || m.extent <= 0)
    return {0, track};
  const long long proportional = static_cast<long long>(track) * std::max(m.page, 0) / m.extent;
  const int length = std::clamp(static_cast<int>(proportional), std::min(minLength, track), track);
  const int room = track - length;
  const int position = ClampScrollPosition(m, m.position);
  // Rounded, so that the last position puts the thumb at the very end.
  const int offset = static_cast<int>((static_cast<long long>(room) * position + max / 2) / max);
  return {offset, length};
}

int PositionAtThumb(int track, int minLength, const ScrollMetrics& m, int offset) {
  const int max = MaxScrollPosition(m);
  const int room = track - ThumbOf(track, minLength, m).length;
  if (max == 0 || room <= 0)
    return 0;
  const int clamped = std::clamp(offset, 0, room);
  return static_cast<int>((static_cast<long long>(clamped) * max + room / 2) / room);
}

ScrollBarLayout::ScrollBarLayout(Rect bar, Orientation orientation, ScrollBarMeasures measures)
    : bar_(bar), orientation_(orientation), measures_(measures) {}

int ScrollBarLayout::Start() const {
  return orientation_ == Orientation::Vertical ? bar_.Top : bar_.Left;
}

int ScrollBarLayout::End() const {
  return orientation_ == Orientation::Vertical ? bar_.Bottom : bar_.Right;
}

int ScrollBarLayout::Button() const {
  return std::clamp(measures_.buttonLength, 0, std::max(End() - Start(), 0) / 2);
}

// The part of the bar from `from` to `to` along it, inset across it by `inset`.
Rect ScrollBarLayout::Span(int from, int to, int inset) const {
  if (orientation_ == Orientation::Vertical)
    return {bar_.Left + inset, from, bar_.Right - inset, to};
  return {from, bar_.Top + inset, to, bar_.Bottom - inset};
}

Rect ScrollBarLayout::BackButton() const {
  return Span(Start(), Start() + Button(), 0);
}

Rect ScrollBarLayout::ForwardButton() const {
  return Span(End() - Button(), End(), 0);
}

Rect ScrollBarLayout::Track() const {
  return Span(Start() + Button(), End() - Button(), 0);
}

Rect ScrollBarLayout::Groove() const {
  const int from = Start() + Button(), to = End() - Button();
  const int inset = std::min(measures_.inset, (to - from) / 2);
  return Span(from + inset, to - inset, measures_.inset);
}

Rect ScrollBarLayout::Thumb(const ScrollMetrics& m) const {
  const Rect g = Groove();
  const int from = orientation_ == Orientation::Vertical ? g.Top : g.Left;
  const int to = orientation_ == Orientation::Vertical ? g.Bottom : g.Right;
  const ThumbSpan t = ThumbOf(to - from, measures_.minThumb, m);
  return Span(from + t.offset, from + t.offset + t.length, measures_.inset);
}

ScrollPart ScrollBarLayout::HitTest(int x, int y, const ScrollMetrics& m) const {
  if (!Contains(bar_, x, y))
    return ScrollPart::None;
  if (Contains(BackButton(), x, y))
    return ScrollPart::LineBack;
  if (Contains(ForwardButton(), x, y))
    return ScrollPart::LineForward;
  const Rect thumb = Thumb(m);
  // The thumb takes the whole breadth of the bar for the mouse, not only its inset part.
  const int along = orientation_ == Orientation::Vertical ? y : x;
  const int thumbStart = orientation_ == Orientation::Vertical ? thumb.Top : thumb.Left;
  const int thumbEnd = orientation_ == Orientation::Vertical ? thumb.Bottom : thumb.Right;
  if (MaxScrollPosition(m) == 0)
    return ScrollPart::None;
  if (along < thumbStart)
    return ScrollPart::PageBack;
  if (along >= thumbEnd)
    return ScrollPart::PageForward;
  return ScrollPart::Thumb;
}

int ScrollBarLayout::PositionForThumbAt(int along, const ScrollMetrics& m) const {
  const Rect g = Groove();
  const int from = orientation_ == Orientation::Vertical ? g.Top : g.Left;
  const int to = orientation_ == Orientation::Vertical ? g.Bottom : g.Right;
  return PositionAtThumb(to - from, measures_.minThumb, m, along - from);
}

}  // namespace quorvel
