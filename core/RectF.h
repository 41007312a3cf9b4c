// Points and rectangles in fractional pixels, for shapes and pictures that need not sit on
// whole pixels.
#pragma once

#include "ScreenGuard.h"

namespace quorvel {

struct PointF {
  double x = 0, y = 0;
};

struct RectF {
  double left = 0, top = 0, right = 0, bottom = 0;

  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
  RectF Inset(double by) const { return {left + by, top + by, right - by, bottom - by}; }
  bool operator==(const RectF&) const = default;
};

inline RectF ToRectF(const Rect& r) {
  return {double(r.Left), double(r.Top), double(r.Right), double(r.Bottom)};
}

}  // namespace quorvel
