// Where the strip's parts lie, in physical pixels for a given DPI, and what a point hits.
#pragma once

#include <optional>

#include "ScreenGuard.h"
#include "SlotGrid.h"

namespace quorvel {

inline constexpr int kBaseDpi = 96;
inline constexpr int kStripWidth = 321, kStripHeight = 61;  // the window, logical pixels
inline constexpr int kTabControlHeight = 60;
inline constexpr int kHeaderBandHeight = 24;
inline constexpr int kHeaderWidth = 62, kFirstHeaderLeft = 2;
inline constexpr int kSlotSize = 32, kPageLeft = 2, kPageTop = 26, kPageRight = 319;

struct Hit {
  enum class Kind { Nothing, Header, Slot } kind = Kind::Nothing;
  int index = -1;  // tab of a header, slot of the visible tab
  bool operator==(const Hit&) const = default;
};

class StripGeometry {
 public:
  explicit StripGeometry(int dpi = kBaseDpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

  int Dpi() const { return dpi_; }
  int Scale(int logical) const { return (logical * dpi_ + kBaseDpi / 2) / kBaseDpi; }

  int Width() const { return Scale(kStripWidth); }
  int Height() const { return Scale(kStripHeight); }
  Rect TabControl() const { return {0, 0, Scale(kStripWidth), Scale(kTabControlHeight)}; }
  Rect Header(int tab) const {
    const int left = kFirstHeaderLeft + kHeaderWidth * tab;
    return {Scale(left), 0, Scale(left + kHeaderWidth), Scale(kHeaderBandHeight)};
  }
  // The part of slot `slot` that shows: the page edge clips slot 9, and slot 10 lies beyond it.
  std::optional<Rect> VisibleSlot(int slot) const {
    const int left = kPageLeft + kSlotSize * slot;
    if (slot < 0 || left >= kPageRight)
      return std::nullopt;
    const int right = left + kSlotSize < kPageRight ? left + kSlotSize : kPageRight;
    return Rect{Scale(left), Scale(kPageTop), Scale(right), Scale(kPageTop + kSlotSize)};
  }
  // The full square a slot's picture is fitted into.
  Rect SlotSquare(int slot) const {
    const int left = kPageLeft + kSlotSize * slot;
    return {Scale(left), Scale(kPageTop), Scale(left + kSlotSize), Scale(kPageTop + kSlotSize)};
  }
  int SlotPixels() const { return Scale(kSlotSize); }

  Hit HitTest(int x, int y) const {
    for (int t = 0; t < kTabCount; ++t) {
      if (Inside(Header(t), x, y))
        return {Hit::Kind::Header, t};
    }
    for (int s = 0; s < kSlotsPerTab; ++s) {
      const auto r = VisibleSlot(s);
      if (r && Inside(*r, x, y))
        return {Hit::Kind::Slot, s};
    }
    return {};
  }

 private:
  static bool Inside(const Rect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
  }
  int dpi_;
};

}  // namespace quorvel
