#include "ScrollBarInput.h"

namespace quorvel {

namespace {

int AlongOf(const ScrollBarLayout& bar, int x, int y) {
  return bar.Along() == Orientation::Vertical ? y : x;
}

int LeadingEdge(const ScrollBarLayout& bar, const Rect& r) {
  return bar.Along() == Orientation::Vertical ? r.Top : r.Left;
}

}  // namespace

ScrollBarAnswer ScrollBarInput::Step(const ScrollMetrics& m, int line) const {
  int delta = 0;
  switch (pressed_) {
    case ScrollPart::LineBack:
      delta = -line;
      break;
    case ScrollPart::LineForward:
      delta = line;
      break;
    case ScrollPart::PageBack:
      delta = -m.page;
      break;
    case ScrollPart::PageForward:
      delta = m.page;
      break;
    default:
      return {};
  }
  const int to = ClampScrollPosition(m, m.position + delta);
  if (to == m.position)
    return {};
  return {false, to};
}

ScrollBarAnswer ScrollBarInput::Move(const ScrollBarLayout& bar, const ScrollMetrics& m, int x,
                                     int y) {
  x_ = x;
  y_ = y;
  if (pressed_ == ScrollPart::Thumb) {
    const int to = bar.PositionForThumbAt(AlongOf(bar, x, y) - grab_, m);
    return {false, to == m.position ? std::nullopt : std::optional<int>(to)};
  }
  // While a button or the track is held, only that part may light.
  ScrollPart hot = bar.HitTest(x, y, m);
  if (pressed_ != ScrollPart::None && hot != pressed_)
    hot = ScrollPart::None;
  const bool changed = hot != hot_;
  hot_ = hot;
  return {changed, std::nullopt};
}

ScrollBarAnswer ScrollBarInput::Press(const ScrollBarLayout& bar, const ScrollMetrics& m, int x,
                                      int y, int line) {
  x_ = x;
  y_ = y;
  const ScrollPart part = bar.HitTest(x, y, m);
  if (part == ScrollPart::None)
    return {};
  pressed_ = part;
  hot_ = part;
  if (part == ScrollPart::Thumb) {
    grab_ = AlongOf(bar, x, y) - LeadingEdge(bar, bar.Thumb(m));
    return {true, std::nullopt};
  }
  ScrollBarAnswer answer = Step(m, line);
  answer.repaint = true;
  return answer;
}

ScrollBarAnswer ScrollBarInput::Repeat(const ScrollBarLayout& bar, const ScrollMetrics& m,
                                       int line) {
  if (pressed_ == ScrollPart::None || pressed_ == ScrollPart::Thumb)
    return {};
  // Paging stops once the thumb has come under the pointer; a button only steps while the
  // pointer stays on it.
  if (bar.HitTest(x_, y_, m) != pressed_)
    return {};
  return Step(m, line);
}

ScrollBarAnswer ScrollBarInput::Release(const ScrollBarLayout& bar, const ScrollMetrics& m) {
  if (pressed_ == ScrollPart::None)
    return {};
  pressed_ = ScrollPart::None;
  hot_ = bar.HitTest(x_, y_, m);
  return {true, std::nullopt};
}

ScrollBarAnswer ScrollBarInput::Leave() {
  if (hot_ == ScrollPart::None || pressed_ != ScrollPart::None)
    return {};
  hot_ = ScrollPart::None;
  return {true, std::nullopt};
}

}  // namespace quorvel
