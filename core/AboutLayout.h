// Where the About window's parts lie, in logical pixels (96 DPI), and the same at any DPI.
#pragma once

#include "ScreenGuard.h"

namespace quorvel {

inline constexpr int kAboutWidth = 648, kAboutHeight = 678;  // the client area

inline constexpr Rect kEmblemView{8, 8, 8 + 49, 8 + 49};
inline constexpr Rect kVersionLabel{65, 8, 65 + 248, 8 + 23};
inline constexpr Rect kRightsLabel{65, 39, 65 + 153, 39 + 17};
inline constexpr Rect kScreenshotView{16, 65, 16 + 609, 65 + 272};
inline constexpr Rect kGuideMemo{9, 345, 9 + 631, 345 + 320};

inline constexpr double kEmblemScale = 0.7;  // the emblem's picture scale before any zoom

// Rounded to the nearest physical pixel; edges that meet at 96 DPI meet at every DPI.
inline int ScaleToDpi(int logical, int dpi) {
  const int d = dpi > 0 ? dpi : 96;
  const long long v = static_cast<long long>(logical) * d;
  return static_cast<int>(v >= 0 ? (v + 48) / 96 : -((-v + 48) / 96));
}

inline Rect ScaleToDpi(const Rect& r, int dpi) {
  return {ScaleToDpi(r.Left, dpi), ScaleToDpi(r.Top, dpi), ScaleToDpi(r.Right, dpi),
          ScaleToDpi(r.Bottom, dpi)};
}

}  // namespace quorvel
