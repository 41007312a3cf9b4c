#include "LayeredCanvas.h"

#include <algorithm>
#include <cmath>

#include "Raster.h"
#include "TopDownDib.h"

namespace quorvel::win {

LayeredCanvas::LayeredCanvas(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), dc_(CreateCompatibleDC(nullptr)) {
  BITMAPINFO bi = TopDown32(width_, height_);
  void* bits = nullptr;
  bitmap_.reset(CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  bits_ = static_cast<std::uint32_t*>(bits);
  selected_ = std::make_unique<SelectGuard>(dc_.get(), bitmap_.get());
  Clear();
}

void LayeredCanvas::Clear() {
  if (bits_)
    std::fill(bits_, bits_ + static_cast<size_t>(width_) * height_, 0u);
}

void LayeredCanvas::Fill(const Rect& r, std::uint32_t argb) {
  for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, height_); ++y) {
    for (int x = std::max(r.Left, 0); x < std::min(r.Right, width_); ++x)
      At(x, y) = argb;
  }
}

int LayeredCanvas::CornerInset(int radius, int row) {
  if (radius <= 0 || row < 0 || row >= radius)
    return 0;
  // The circle's distance from the side, taken at the centre of the row.
  const double dy = radius - row - 0.5;
  return static_cast<int>(std::lround(radius - std::sqrt(radius * radius - dy * dy)));
}

namespace {

// The inset of row y of r: the nearer of its top and bottom corners decides.
int RowInset(const Rect& r, Corners corners, int y) {
  const int fromTop = y - r.Top, fromBottom = r.Bottom - 1 - y;
  if (fromTop < corners.top)
    return LayeredCanvas::CornerInset(corners.top, fromTop);
  if (fromBottom < corners.bottom)
    return LayeredCanvas::CornerInset(corners.bottom, fromBottom);
  return 0;
}

}  // namespace

void LayeredCanvas::Gradient(const Rect& r, std::uint32_t top, std::uint32_t bottom,
                             double flatUntil, Corners corners) {
  const int h = std::max(r.Bottom - r.Top - 1, 1);
  for (int y = r.Top; y < r.Bottom; ++y) {
    const double t = static_cast<double>(y - r.Top) / h;
    const double u = t <= flatUntil ? 0 : (t - flatUntil) / (1 - flatUntil);
    const int inset = RowInset(r, corners, y);
    Fill({r.Left + inset, y, r.Right - inset, y + 1}, LerpArgb(top, bottom, u));
  }
}

void LayeredCanvas::Frame(const Rect& r, std::uint32_t argb, bool bottomEdge, Corners corners) {
  for (int y = r.Top; y < r.Bottom; ++y) {
    const int inset = RowInset(r, corners, y);
    const bool edgeRow = y == r.Top || (bottomEdge && y == r.Bottom - 1);
    if (edgeRow) {
      Fill({r.Left + inset, y, r.Right - inset, y + 1}, argb);
      continue;
    }
    // Down a corner the outline also covers the step to the row nearer the edge, so the arc
    // stays closed.
    const bool inTop = y - r.Top < corners.top;
    const int nearer = RowInset(r, corners, inTop ? y - 1 : y + 1);
    const int width = std::max(1, nearer - inset);
    Fill({r.Left + inset, y, r.Left + inset + width, y + 1}, argb);
    Fill({r.Right - inset - width, y, r.Right - inset, y + 1}, argb);
  }
}

void LayeredCanvas::MakeOpaque(const Rect& r) {
  for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, height_); ++y) {
    for (int x = std::max(r.Left, 0); x < std::min(r.Right, width_); ++x)
      At(x, y) |= 0xFF000000u;
  }
}

void LayeredCanvas::Blend(int x, int y, std::uint32_t src) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return;
  const std::uint32_t a = src >> 24;
  if (a == 0xFF) {
    At(x, y) = src;
    return;
  }
  std::uint32_t& d = At(x, y);
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t s = (src >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
    out |= std::min<std::uint32_t>(255, s + (dc * (255 - a) + 127) / 255) << shift;
  }
  d = out;
}

bool LayeredCanvas::ShowOn(HWND hwnd, POINT topLeft) const {
  SIZE size{width_, height_};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  return UpdateLayeredWindow(hwnd, nullptr, &topLeft, &size, dc_.get(), &origin, 0, &blend,
                             ULW_ALPHA) != 0;
}

}  // namespace quorvel::win
