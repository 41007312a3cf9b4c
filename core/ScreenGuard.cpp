#include "ScreenGuard.h"

#include <algorithm>

namespace quorvel {

Position KeepOnScreen(std::span<const Rect> workAreas, std::int32_t left, std::int32_t top,
                      std::int32_t width, std::int32_t height) {
  constexpr std::int32_t kReset = 50;
  if (workAreas.empty())
    return {left, top};
  const std::int64_t right = std::int64_t{left} + width;
  const std::int64_t bottom = std::int64_t{top} + height;
  for (const Rect& a : workAreas) {
    if (left >= a.Left && top >= a.Top && right <= a.Right && bottom <= a.Bottom) {
      return {left, top};
    }
  }
  Rect box = workAreas.front();
  for (const Rect& a : workAreas) {
    box.Left = std::min(box.Left, a.Left);
    box.Top = std::min(box.Top, a.Top);
    box.Right = std::max(box.Right, a.Right);
    box.Bottom = std::max(box.Bottom, a.Bottom);
  }
  Position p{left, top};
  if (left < box.Left || right > box.Right)
    p.Left = kReset;
  if (top < box.Top || bottom > box.Bottom)
    p.Top = kReset;
  return p;
}

}  // namespace quorvel
