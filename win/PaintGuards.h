// Guards for painting: BeginPaint/EndPaint, and a moved viewport origin.
#pragma once

#include <windows.h>

namespace quorvel::win {

class PaintGuard {
 public:
  explicit PaintGuard(HWND hwnd) noexcept : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  PaintGuard(const PaintGuard&) = delete;
  PaintGuard& operator=(const PaintGuard&) = delete;
  ~PaintGuard() { EndPaint(hwnd_, &ps_); }
  HDC Dc() const noexcept { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Draws what follows `by` further on, until the guard goes.
class ViewportShift {
 public:
  ViewportShift(HDC dc, POINT by) noexcept : dc_(dc) {
    OffsetViewportOrgEx(dc_, by.x, by.y, &old_);
  }
  ViewportShift(const ViewportShift&) = delete;
  ViewportShift& operator=(const ViewportShift&) = delete;
  ~ViewportShift() { SetViewportOrgEx(dc_, old_.x, old_.y, nullptr); }

 private:
  HDC dc_;
  POINT old_{};
};

}  // namespace quorvel::win
