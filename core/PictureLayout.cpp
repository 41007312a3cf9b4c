#include "PictureLayout.h"

#include <algorithm>

namespace quorvel {

RectF FitCentred(const RectF& area, int width, int height) {
  if (width <= 0 || height <= 0 || area.Width() <= 0 || area.Height() <= 0)
    return {area.left, area.top, area.left, area.top};
  const double scale = std::min(area.Width() / width, area.Height() / height);
  return CentredAtScale(area, width, height, scale);
}

RectF CentredAtScale(const RectF& area, int width, int height, double scale) {
  const double w = width * scale, h = height * scale;
  const double left = area.left + (area.Width() - w) / 2, top = area.top + (area.Height() - h) / 2;
  return {left, top, left + w, top + h};
}

double ZoomedScale(double scale, int wheelDelta) {
  return std::clamp(scale + kZoomStep * wheelDelta / 120.0, kZoomStep, 100 * kZoomStep);
}

}  // namespace quorvel
