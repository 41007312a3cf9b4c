// Drawing onto 32-bit premultiplied pixels (0xAARRGGBB, rows top-down, as a Windows DIB holds
// them): anti-aliased rounded rectangles with gradients, triangles and scaled pictures. The
// platform's drawing has no anti-aliasing and no such gradients, and this draws the same
// everywhere.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "RectF.h"

namespace quorvel {

// Each 8-bit channel of `a` moved the fraction t (0..1) towards `b`, rounded: the one colour
// blend of gradients and of interpolated pictures.
std::uint32_t LerpArgb(std::uint32_t a, std::uint32_t b, double t);

struct GradientStop {
  double at;           // 0 .. 1 across the shape
  std::uint32_t argb;  // not premultiplied
};

// One colour, or a linear gradient from a shape's top edge to its bottom edge (Down) or from
// its left edge to its right edge (Right).
class Paint {
 public:
  enum class Direction { Down, Right };

  // A colour is a paint, so that a plain colour can be passed where a paint is asked for.
  Paint(std::uint32_t argb) : stops_{{0, argb}} {}
  Paint(Direction direction, std::initializer_list<GradientStop> stops);

  std::uint32_t At(const RectF& shape, double x, double y) const;

 private:
  Direction direction_ = Direction::Down;
  std::vector<GradientStop> stops_;
};

struct CornerRadii {
  double topLeft = 0, topRight = 0, bottomRight = 0, bottomLeft = 0;
  static CornerRadii All(double r) { return {r, r, r, r}; }
};

class Raster {
 public:
  Raster(std::uint32_t* pixels, int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint32_t At(int x, int y) const;

  // Every drawing below stays inside the clip (and the pixels).
  void SetClip(const Rect& clip);
  void ResetClip();

  void Fill(const Rect& r, std::uint32_t argb);
  // A colour with its own alpha over what is there.
  void Blend(const Rect& r, std::uint32_t argb);
  void FillRoundRect(const RectF& r, const CornerRadii& radii, const Paint& paint);
  // A line of `width` just inside the edge of the shape.
  void StrokeRoundRect(const RectF& r, const CornerRadii& radii, std::uint32_t argb,
                       double width = 1);
  void FillTriangle(PointF a, PointF b, PointF c, std::uint32_t argb);
  // A premultiplied picture of `sw` x `sh` pixels scaled into `dest`, each pixel the average of
  // the source under it.
  void DrawPicture(const RectF& dest, const std::uint32_t* src, int sw, int sh);

 private:
  struct Span {
    int left, top, right, bottom;
  };
  Span Clipped(double left, double top, double right, double bottom) const;
  // `argb` not premultiplied, over the pixel at `coverage` (0 .. 1).
  void Over(int x, int y, std::uint32_t argb, double coverage);

  std::uint32_t* pixels_;
  int width_, height_;
  Rect clip_;
};

}  // namespace quorvel
