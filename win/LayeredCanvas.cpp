#include "LayeredCanvas.h"

#include <algorithm>

namespace quorvel::win {

namespace {

std::uint32_t Lerp(std::uint32_t a, std::uint32_t b, double t) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= static_cast<std::uint32_t>(ca + (cb - ca) * t + 0.5) << shift;
  }
  return out;
}

}  // namespace

LayeredCanvas::LayeredCanvas(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), dc_(CreateCompatibleDC(nullptr)) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width_;
  bi.bmiHeader.biHeight = -height_;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
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

void LayeredCanvas::Gradient(const Rect& r, std::uint32_t top, std::uint32_t bottom,
                             double flatUntil) {
  const int h = std::max(r.Bottom - r.Top - 1, 1);
  for (int y = r.Top; y < r.Bottom; ++y) {
    const double t = static_cast<double>(y - r.Top) / h;
    const double u = t <= flatUntil ? 0 : (t - flatUntil) / (1 - flatUntil);
    Fill({r.Left, y, r.Right, y + 1}, Lerp(top, bottom, u));
  }
}

void LayeredCanvas::Frame(const Rect& r, std::uint32_t argb, bool bottomEdge) {
  Fill({r.Left, r.Top, r.Right, r.Top + 1}, argb);
  Fill({r.Left, r.Top, r.Left + 1, r.Bottom}, argb);
  Fill({r.Right - 1, r.Top, r.Right, r.Bottom}, argb);
  if (bottomEdge)
    Fill({r.Left, r.Bottom - 1, r.Right, r.Bottom}, argb);
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
