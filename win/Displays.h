// The work areas of all displays, in the system's order.
#pragma once

#include <vector>

#include "ScreenGuard.h"

namespace quorvel::win {

std::vector<Rect> WorkAreas();

}  // namespace quorvel::win
