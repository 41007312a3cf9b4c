// A scroll bar in pixels: where its parts lie, what its thumb stands for, and what a point hits.
// The bar is drawn and read from these; the view it scrolls owns the numbers.
#pragma once

#include "ScreenGuard.h"

namespace quorvel {

struct ScrollMetrics {
  int extent = 0;    // the whole content
  int page = 0;      // the part of it that shows
  int position = 0;  // where that part starts, 0 .. MaxScrollPosition
};

int MaxScrollPosition(const ScrollMetrics& m);
int ClampScrollPosition(const ScrollMetrics& m, int position);

struct ThumbSpan {
  int offset = 0;  // from the start of the track
  int length = 0;
  bool operator==(const ThumbSpan&) const = default;
};

// The thumb in a track of `track` pixels: as long as the page is to the extent but not shorter
// than `minLength`, the whole track when everything shows.
ThumbSpan ThumbOf(int track, int minLength, const ScrollMetrics& m);
// The inverse, for dragging: the position whose thumb starts at `offset`, clamped to the ends.
int PositionAtThumb(int track, int minLength, const ScrollMetrics& m, int offset);

enum class ScrollPart { None, LineBack, LineForward, PageBack, PageForward, Thumb };
enum class Orientation { Vertical, Horizontal };

struct ScrollBarMeasures {
  int buttonLength = 18;
  int inset = 2;  // of the groove in the track, and of the thumb in the track
  int minThumb = 12;
};

class ScrollBarLayout {
 public:
  ScrollBarLayout() = default;
  ScrollBarLayout(Rect bar, Orientation orientation, ScrollBarMeasures measures);

  const Rect& Bar() const { return bar_; }
  Orientation Along() const { return orientation_; }
  // Up or left, and down or right; on a bar too short for both they share it.
  Rect BackButton() const;
  Rect ForwardButton() const;
  Rect Track() const;
  // The track's inner part, where the thumb runs.
  Rect Groove() const;
  Rect Thumb(const ScrollMetrics& m) const;
  ScrollPart HitTest(int x, int y, const ScrollMetrics& m) const;
  // The position that puts the thumb's leading edge at `along` (a y on a vertical bar, an x on
  // a horizontal one).
  int PositionForThumbAt(int along, const ScrollMetrics& m) const;

 private:
  int Start() const;
  int End() const;
  int Button() const;
  Rect Span(int from, int to, int inset) const;

  Rect bar_{};
  Orientation orientation_ = Orientation::Vertical;
  ScrollBarMeasures measures_{};
};

inline bool Contains(const Rect& r, int x, int y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

}  // namespace quorvel
