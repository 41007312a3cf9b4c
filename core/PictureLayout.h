// Where a picture is drawn in a view: fitted with its aspect ratio kept, or at a scale, and
// centred either way; and the scale the mouse wheel gives.
#pragma once

#include "RectF.h"

namespace quorvel {

RectF FitCentred(const RectF& area, int width, int height);
RectF CentredAtScale(const RectF& area, int width, int height, double scale);

// Each notch of the wheel (a delta of 120) changes the scale by 0.04, up for larger; the scale
// stays between one and a hundred steps, so that the picture never vanishes or grows beyond
// all use.
inline constexpr double kZoomStep = 0.04;
double ZoomedScale(double scale, int wheelDelta);

}  // namespace quorvel
