// The work areas of the displays, for keeping the window reachable.
#pragma once

#include <vector>

#include "ScreenGuard.h"

namespace quorvel::win {

// One work area per display, in the order the system enumerates them; never empty.
std::vector<quorvel::Rect> WorkAreas();

}  // namespace quorvel::win
