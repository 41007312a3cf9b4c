// Bringing a restored window position back onto the displays.
#pragma once

#include <cstdint>
#include <span>

namespace quorvel {

struct Rect {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct Position {
  std::int32_t Left = 0, Top = 0;
  bool operator==(const Position&) const = default;
};

// The position a window of the given size at (left, top) should take so that the user can
// reach it, given the work areas of all displays.
Position KeepOnScreen(std::span<const Rect> workAreas, std::int32_t left, std::int32_t top,
                      std::int32_t width, std::int32_t height);

}  // namespace quorvel
