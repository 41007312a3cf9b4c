#include "Raster.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

double Channel(std::uint32_t argb, int shift) {
  return static_cast<double>((argb >> shift) & 0xFF);
}

// Signed distance from a point to the edge of a rounded rectangle, negative inside.
double Distance(const RectF& r, const CornerRadii& radii, double px, double py) {
  const double cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  const double hx = r.Width() / 2, hy = r.Height() / 2;
  double radius = px < cx ? (py < cy ? radii.topLeft : radii.bottomLeft)
                          : (py < cy ? radii.topRight : radii.bottomRight);
  radius = std::clamp(radius, 0.0, std::min(hx, hy));
  const double qx = std::abs(px - cx) - hx + radius, qy = std::abs(py - cy) - hy + radius;
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// The part of the pixel centred at (px, py) that the shape covers; exact for straight edges.
double Coverage(const RectF& r, const CornerRadii& radii, double px, double py) {
  if (r.Width() <= 0 || r.Height() <= 0)
    return 0;
  return std::clamp(0.5 - Distance(r, radii, px, py), 0.0, 1.0);
}

CornerRadii Shrunk(const CornerRadii& c, double by) {
  const auto less = [by](double r) { return std::max(r - by, 0.0); };
  return {less(c.topLeft), less(c.topRight), less(c.bottomRight), less(c.bottomLeft)};
}

}  // namespace

std::uint32_t LerpArgb(std::uint32_t a, std::uint32_t b, double t) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const double v = Channel(a, shift) + (Channel(b, shift) - Channel(a, shift)) * t;
    out |= static_cast<std::uint32_t>(std::lround(v)) << shift;
  }
  return out;
}

Paint::Paint(Direction direction, std::initializer_list<GradientStop> stops)
    : direction_(direction), stops_(stops) {
  if (stops_.empty())
    stops_.push_back({0, 0});
  std::stable_sort(stops_.begin(), stops_.end(),
                   [](const GradientStop& a, const GradientStop& b) { return a.at < b.at; });
}

std::uint32_t Paint::At(const RectF& shape, double x, double y) const {
  if (stops_.size() == 1)
    return stops_.front().argb;
  const double length = direction_ == Direction::Down ? shape.Height() : shape.Width();
  const double from = direction_ == Direction::Down ? y - shape.top : x - shape.left;
  const double t = length > 0 ? std::clamp(from / length, 0.0, 1.0) : 0;
  if (t <= stops_.front().at)
    return stops_.front().argb;
  for (size_t i = 1; i < stops_.size(); ++i) {
    const GradientStop &a = stops_[i - 1], &b = stops_[i];
    if (t <= b.at)
      return b.at > a.at ? LerpArgb(a.argb, b.argb, (t - a.at) / (b.at - a.at)) : b.argb;
  }
  return stops_.back().argb;
}

Raster::Raster(std::uint32_t* pixels, int width, int height)
    : pixels_(pixels),
      width_(pixels ? std::max(width, 0) : 0),
      height_(pixels ? std::max(height, 0) : 0),
      clip_{0, 0, width_, height_} {}

std::uint32_t Raster::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return 0;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Raster::SetClip(const Rect& clip) {
  clip_ = {std::max(clip.Left, 0), std::max(clip.Top, 0), std::min(clip.Right, width_),
           std::min(clip.Bottom, height_)};
}

void Raster::ResetClip() {
  clip_ = {0, 0, width_, height_};
}

Raster::Span Raster::Clipped(double left, double top, double right, double bottom) const {
  return {std::max(static_cast<int>(std::floor(left)), clip_.Left),
          std::max(static_cast<int>(std::floor(top)), clip_.Top),
          std::min(static_cast<int>(std::ceil(right)), clip_.Right),
          std::min(static_cast<int>(std::ceil(bottom)), clip_.Bottom)};
}

void Raster::Over(int x, int y, std::uint32_t argb, double coverage) {
  std::uint32_t& d = pixels_[static_cast<size_t>(y) * width_ + x];
  const double a = Channel(argb, 24) / 255 * coverage;
  if (a >= 1) {
    d = argb;
    return;
  }
  std::uint32_t out = static_cast<std::uint32_t>(std::lround(255 * a + Channel(d, 24) * (1 - a)))
                      << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    const double v = Channel(argb, shift) * a + Channel(d, shift) * (1 - a);
    out |= static_cast<std::uint32_t>(std::lround(v)) << shift;
  }
  d = out;
}

void Raster::Fill(const Rect& r, std::uint32_t argb) {
  const Span s = Clipped(r.Left, r.Top, r.Right, r.Bottom);
  for (int y = s.top; y < s.bottom; ++y)
    std::fill(pixels_ + static_cast<size_t>(y) * width_ + s.left,
              pixels_ + static_cast<size_t>(y) * width_ + std::max(s.left, s.right), argb);
}

void Raster::Blend(const Rect& r, std::uint32_t argb) {
  const Span s = Clipped(r.Left, r.Top, r.Right, r.Bottom);
  for (int y = s.top; y < s.bottom; ++y) {
    for (int x = s.left; x < s.right; ++x)
      Over(x, y, argb, 1);
  }
}

void Raster::FillRoundRect(const RectF& r, const CornerRadii& radii, const Paint& paint) {
  const Span s = Clipped(r.left, r.top, r.right, r.bottom);
  for (int y = s.top; y < s.bottom; ++y) {
    for (int x = s.left; x < s.right; ++x) {
      const double cx = x + 0.5, cy = y + 0.5;
      const double c = Coverage(r, radii, cx, cy);
      if (c > 0)
        Over(x, y, paint.At(r, cx, cy), c);
    }
  }
}

void Raster::StrokeRoundRect(const RectF& r, const CornerRadii& radii, std::uint32_t argb,
                             double width) {
  const RectF inner = r.Inset(width);
  const CornerRadii innerRadii = Shrunk(radii, width);
  const Span s = Clipped(r.left, r.top, r.right, r.bottom);
  for (int y = s.top; y < s.bottom; ++y) {
    for (int x = s.left; x < s.right; ++x) {
      const double cx = x + 0.5, cy = y + 0.5;
      const double c = Coverage(r, radii, cx, cy) - Coverage(inner, innerRadii, cx, cy);
      if (c > 0)
        Over(x, y, argb, c);
    }
  }
}

void Raster::FillTriangle(PointF a, PointF b, PointF c, std::uint32_t argb) {
  const auto edge = [](PointF p, PointF q, double x, double y) {
    return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
  };
  const double area = edge(a, b, c.x, c.y);
  if (area == 0)
    return;
  const Span s = Clipped(std::min({a.x, b.x, c.x}), std::min({a.y, b.y, c.y}),
                         std::max({a.x, b.x, c.x}), std::max({a.y, b.y, c.y}));
  constexpr int kSamples = 4;  // per axis
  for (int y = s.top; y < s.bottom; ++y) {
    for (int x = s.left; x < s.right; ++x) {
      int inside = 0;
      for (int j = 0; j < kSamples; ++j) {
        for (int i = 0; i < kSamples; ++i) {
          const double sx = x + (i + 0.5) / kSamples, sy = y + (j + 0.5) / kSamples;
          const double e0 = edge(a, b, sx, sy) * area, e1 = edge(b, c, sx, sy) * area,
                       e2 = edge(c, a, sx, sy) * area;
          inside += e0 >= 0 && e1 >= 0 && e2 >= 0;
        }
      }
      if (inside)
        Over(x, y, argb, static_cast<double>(inside) / (kSamples * kSamples));
    }
  }
}

void Raster::DrawPicture(const RectF& dest, const std::uint32_t* src, int sw, int sh) {
  if (!src || sw <= 0 || sh <= 0 || dest.Width() <= 0 || dest.Height() <= 0)
    return;
  const double sx = sw / dest.Width(), sy = sh / dest.Height();
  const Span s = Clipped(dest.left, dest.top, dest.right, dest.bottom);
  // The source span under a destination pixel's part inside `dest`, along one axis.
  struct Footprint {
    double from, to;
  };
  const auto footprint = [](int p, double start, double end, double scale) {
    const double a = std::max<double>(p, start), b = std::min<double>(p + 1, end);
    return Footprint{(a - start) * scale, (b - start) * scale};
  };
  for (int y = s.top; y < s.bottom; ++y) {
    const Footprint fy = footprint(y, dest.top, dest.bottom, sy);
    if (fy.to <= fy.from)
      continue;
    for (int x = s.left; x < s.right; ++x) {
      const Footprint fx = footprint(x, dest.left, dest.right, sx);
      if (fx.to <= fx.from)
        continue;
      double sum[4] = {0, 0, 0, 0};
      for (int v = static_cast<int>(fy.from); v < std::min(sh, static_cast<int>(std::ceil(fy.to)));
           ++v) {
        const double wy = std::min<double>(v + 1, fy.to) - std::max<double>(v, fy.from);
        for (int u = static_cast<int>(fx.from);
             u < std::min(sw, static_cast<int>(std::ceil(fx.to))); ++u) {
          const double w = wy * (std::min<double>(u + 1, fx.to) - std::max<double>(u, fx.from));
          const std::uint32_t p = src[static_cast<size_t>(v) * sw + u];
          for (int k = 0; k < 4; ++k)
            sum[k] += Channel(p, 8 * k) * w;
        }
      }
      // A whole destination pixel stands for sx * sy source pixels; a part of one for less.
      const double norm = sx * sy;
      const double alpha = std::min(sum[3] / norm, 255.0);
      std::uint32_t& d = pixels_[static_cast<size_t>(y) * width_ + x];
      std::uint32_t out = 0;
      for (int k = 0; k < 4; ++k) {
        const double v = std::min(sum[k] / norm, 255.0) + Channel(d, 8 * k) * (1 - alpha / 255);
        out |= static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L)) << (8 * k);
      }
      d = out;
    }
  }
}

}  // namespace quorvel
