// Draws a scroll bar in the About window's dark look: buttons with arrows, a grooved track and
// an orange thumb, each lit while the mouse is over it.
#pragma once

#include <cstdint>

#include "Raster.h"
#include "ScrollBar.h"

namespace quorvel::win {

// The bar's measures in logical pixels, scaled by the caller.
inline constexpr int kScrollBarThickness = 16;
inline constexpr int kScrollButtonLength = 18;
inline constexpr int kScrollInset = 2;
inline constexpr int kScrollMinThumb = 12;
inline constexpr std::uint32_t kScrollBarBackground = 0xFF484848;

void PaintScrollBar(Raster& raster, const ScrollBarLayout& bar, const ScrollMetrics& metrics,
                    ScrollPart hot, int dpi);

}  // namespace quorvel::win
