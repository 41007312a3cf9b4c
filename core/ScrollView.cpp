#include "ScrollView.h"

namespace quorvel {

ScrollViewLayout LayoutScrollView(const Rect& area, int contentWidth, int contentHeight,
                                  int thickness) {
  const int width = area.Right - area.Left, height = area.Bottom - area.Top;
  bool vertical = contentHeight > height;
  const bool horizontal = contentWidth > width - (vertical ? thickness : 0);
  if (horizontal && !vertical)
    vertical = contentHeight > height - thickness;

  ScrollViewLayout out;
  out.view = {area.Left, area.Top, area.Right - (vertical ? thickness : 0),
              area.Bottom - (horizontal ? thickness : 0)};
  if (vertical)
    out.vertical = Rect{out.view.Right, area.Top, area.Right, out.view.Bottom};
  if (horizontal)
    out.horizontal = Rect{area.Left, out.view.Bottom, out.view.Right, area.Bottom};
  if (vertical && horizontal)
    out.corner = Rect{out.view.Right, out.view.Bottom, area.Right, area.Bottom};
  return out;
}

}  // namespace quorvel
