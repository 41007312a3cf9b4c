// A 32-bit premultiplied bitmap that a layered window shows as it is: alpha 0 is see-through
// and click-through.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "Handles.h"
#include "ScreenGuard.h"

namespace quorvel::win {

// Radii, in pixels, of a rectangle's two top and two bottom corners.
struct Corners {
  int top = 0;
  int bottom = 0;
};

class LayeredCanvas {
 public:
  LayeredCanvas(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  HDC Dc() const { return dc_.get(); }
  std::uint32_t* Pixels() const { return bits_; }
  std::uint32_t& At(int x, int y) const { return bits_[static_cast<size_t>(y) * width_ + x]; }

  // How far row `row` (0 at the rectangle's edge) of a corner of `radius` stays in from the side.
  static int CornerInset(int radius, int row);

  void Clear();
  void Fill(const Rect& r, std::uint32_t argb);
  // A vertical gradient from `top` to `bottom`, flat until `flatUntil` (0..1) of the height.
  // Pixels outside rounded corners are left as they are.
  void Gradient(const Rect& r, std::uint32_t top, std::uint32_t bottom, double flatUntil = 0,
                Corners corners = {});
  // A one-pixel outline that follows rounded corners.
  void Frame(const Rect& r, std::uint32_t argb, bool bottomEdge = true, Corners corners = {});
  // GDI text leaves alpha undefined: draw only where the canvas is opaque, then call this.
  void MakeOpaque(const Rect& r);
  // Premultiplied source over the canvas.
  void Blend(int x, int y, std::uint32_t premultiplied);

  [[nodiscard]] bool ShowOn(HWND hwnd, POINT topLeft) const;

 private:
  int width_, height_;
  UniqueDc dc_;
  std::uint32_t* bits_ = nullptr;
  UniqueBitmap bitmap_;
  std::unique_ptr<SelectGuard>
      selected_;  // released first: the bitmap leaves the DC before it goes
};

}  // namespace quorvel::win
