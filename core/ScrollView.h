// Which of a view's two scroll bars show, and where, for content of a given size: a bar shows
// when the content overflows that way, and a bar that shows takes room from the other way.
#pragma once

#include <optional>

#include "ScreenGuard.h"

namespace quorvel {

struct ScrollViewLayout {
  Rect view{};  // where the content shows
  std::optional<Rect> vertical, horizontal;
  std::optional<Rect> corner;  // between the two, when both show
};

ScrollViewLayout LayoutScrollView(const Rect& area, int contentWidth, int contentHeight,
                                  int thickness);

}  // namespace quorvel
