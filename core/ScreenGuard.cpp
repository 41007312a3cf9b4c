#include "ScreenGuard.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr std::int32_t kReset = 50;

Rect BoundingBox(std::span<const Rect> areas) {
  Rect box = areas.front();
  for (const Rect& a : areas) {
    box.Left = std::min(box.Left, a.Left);
    box.Top = std::min(box.Top, a.Top);
    box.Right = std::max(box.Right, a.Right);
    box.Bottom = std::max(box.Bottom, a.Bottom);
  }
  return box;
}

}  // namespace

// Each axis on which the window leaves the space that all work areas span is reset; edges may
// touch. So a window wholly on any one display stays, whatever the order of the display list,
// and so does one straddling two adjacent displays.
Position KeepOnScreen(std::span<const Rect> workAreas, std::int32_t left, std::int32_t top,
                      std::int32_t width, std::int32_t height) {
  if (workAreas.empty())
    return {left, top};
  // 64 bits: a position read from a hand-edited settings file may lie near the int32 limits.
  const std::int64_t right = std::int64_t{left} + width;
  const std::int64_t bottom = std::int64_t{top} + height;
  const Rect box = BoundingBox(workAreas);
  Position p{left, top};
  if (left < box.Left || right > box.Right)
    p.Left = kReset;
  if (top < box.Top || bottom > box.Bottom)
    p.Top = kReset;
  return p;
}

}  // namespace quorvel
