// What the mouse does on a scroll bar: the part under it lights up, a button steps a line, the
// track steps a page towards the pointer, both repeat while held, the thumb drags.
#pragma once

#include <optional>

#include "ScrollBar.h"

namespace quorvel {

struct ScrollBarAnswer {
  bool repaint = false;         // the lit or pressed part changed
  std::optional<int> scrollTo;  // the position the view should take
};

class ScrollBarInput {
 public:
  ScrollPart Hot() const { return hot_; }
  ScrollPart Pressed() const { return pressed_; }

  ScrollBarAnswer Move(const ScrollBarLayout& bar, const ScrollMetrics& m, int x, int y);
  // `line` is the step of a button; a page is the metrics' page.
  ScrollBarAnswer Press(const ScrollBarLayout& bar, const ScrollMetrics& m, int x, int y, int line);
  // Called on a timer while the button is held, with the pointer where it last moved to.
  ScrollBarAnswer Repeat(const ScrollBarLayout& bar, const ScrollMetrics& m, int line);
  ScrollBarAnswer Release(const ScrollBarLayout& bar, const ScrollMetrics& m);
  ScrollBarAnswer Leave();

 private:
  ScrollBarAnswer Step(const ScrollMetrics& m, int line) const;

  ScrollPart hot_ = ScrollPart::None;
  ScrollPart pressed_ = ScrollPart::None;
  int grab_ = 0;  // from the thumb's leading edge to the pointer, while dragging
  int x_ = 0, y_ = 0;
};

}  // namespace quorvel
