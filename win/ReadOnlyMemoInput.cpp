// The text box's keyboard and mouse: caret moves and selection, the scroll bars' presses,
// drags and repeats, the wheel, and the context menu.
#include <algorithm>

#include "ReadOnlyMemo.h"

namespace quorvel::win {

namespace {

constexpr UINT_PTR kRepeatTimer = 1, kAutoScrollTimer = 2;
constexpr UINT kFirstRepeatMs = 350, kRepeatMs = 50, kAutoScrollMs = 50;
enum MenuItem : UINT { kCopyItem = 1, kSelectAllItem };

bool Down(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

void ReadOnlyMemo::OnKeyDown(WPARAM key) {
  const bool ctrl = Down(VK_CONTROL), shift = Down(VK_SHIFT);
  const TextPos caret = selection_.caret;
  const int pageLines = std::max((layout_.view.Bottom - layout_.view.Top) / lineHeight_ - 1, 1);
  const auto vertically = [&](int lines) {
    const int line = std::clamp(caret.line + lines, 0, lines_.Count() - 1);
    if (desiredX_ < 0)
      desiredX_ = extents_[caret.line][caret.column];
    // Up and down keep to the x they started from, across short lines too.
    const int keep = desiredX_;
    MoveCaret({line, ColumnAt(line, keep)}, shift);
    desiredX_ = keep;
  };
  switch (key) {
    case VK_LEFT:
      if (!shift && !selection_.Empty())
        MoveCaret(selection_.Start(), false);
      else
        MoveCaret(ctrl ? lines_.PrevWord(caret) : lines_.Prev(caret), shift);
      break;
    case VK_RIGHT:
      if (!shift && !selection_.Empty())
        MoveCaret(selection_.End(), false);
      else
        MoveCaret(ctrl ? lines_.NextWord(caret) : lines_.Next(caret), shift);
      break;
    case VK_UP:
      vertically(-1);
      break;
    case VK_DOWN:
      vertically(1);
      break;
    case VK_PRIOR:
      vertically(-pageLines);
      break;
    case VK_NEXT:
      vertically(pageLines);
      break;
    case VK_HOME:
      MoveCaret(ctrl ? TextPos{0, 0} : TextPos{caret.line, 0}, shift);
      break;
    case VK_END:
      MoveCaret(ctrl ? lines_.End()
                     : TextPos{caret.line, static_cast<int>(lines_.Line(caret.line).size())},
                shift);
      break;
    case 'A':
      if (ctrl)
        SelectAll();
      break;
    case 'C':
    case VK_INSERT:
      if (ctrl)
        Copy();
      break;
    default:
      break;
  }
}

void ReadOnlyMemo::OnButtonDown(int x, int y, bool doubleClick) {
  SetFocus(Handle());
  mouse_ = {x, y};
  const int line = lineHeight_;
  if (layout_.vertical && Contains(*layout_.vertical, x, y)) {
    drag_ = Drag::Vertical;
    Apply(Orientation::Vertical, verticalInput_.Press(vertical_, VerticalMetrics(), x, y, line));
  } else if (layout_.horizontal && Contains(*layout_.horizontal, x, y)) {
    drag_ = Drag::Horizontal;
    Apply(Orientation::Horizontal,
          horizontalInput_.Press(horizontal_, HorizontalMetrics(), x, y, line));
  } else if (Contains(layout_.view, x, y)) {
    const TextPos at = PosAt(x, y);
    if (doubleClick) {
      const auto [begin, end] = lines_.WordAt(at);
      Select(begin, end);
      return;
    }
    drag_ = Drag::Text;
    MoveCaret(at, Down(VK_SHIFT));
  } else {
    return;
  }
  SetCapture(Handle());
  if (drag_ == Drag::Vertical || drag_ == Drag::Horizontal)
    SetTimer(Handle(), kRepeatTimer, kFirstRepeatMs, nullptr);
}

void ReadOnlyMemo::OnMouseMove(int x, int y) {
  mouse_ = {x, y};
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != 0;
  }
  switch (drag_) {
    case Drag::Text: {
      MoveCaret(PosAt(x, y), true);
      const bool outside = !Contains(layout_.view, x, y);
      if (outside)
        SetTimer(Handle(), kAutoScrollTimer, kAutoScrollMs, nullptr);
      else
        KillTimer(Handle(), kAutoScrollTimer);
      return;
    }
    case Drag::Vertical:
      Apply(Orientation::Vertical, verticalInput_.Move(vertical_, VerticalMetrics(), x, y));
      return;
    case Drag::Horizontal:
      Apply(Orientation::Horizontal, horizontalInput_.Move(horizontal_, HorizontalMetrics(), x, y));
      return;
    case Drag::None:
      if (layout_.vertical)
        Apply(Orientation::Vertical, verticalInput_.Move(vertical_, VerticalMetrics(), x, y));
      if (layout_.horizontal)
        Apply(Orientation::Horizontal,
              horizontalInput_.Move(horizontal_, HorizontalMetrics(), x, y));
      return;
  }
}

void ReadOnlyMemo::OnTimer(UINT_PTR id) {
  if (id == kRepeatTimer) {
    SetTimer(Handle(), kRepeatTimer, kRepeatMs, nullptr);
    if (drag_ == Drag::Vertical)
      Apply(Orientation::Vertical,
            verticalInput_.Repeat(vertical_, VerticalMetrics(), lineHeight_));
    else if (drag_ == Drag::Horizontal)
      Apply(Orientation::Horizontal,
            horizontalInput_.Repeat(horizontal_, HorizontalMetrics(), lineHeight_));
    else
      KillTimer(Handle(), kRepeatTimer);
  } else if (id == kAutoScrollTimer) {
    if (drag_ != Drag::Text) {
      KillTimer(Handle(), kAutoScrollTimer);
      return;
    }
    // While a selection is dragged past an edge, the text comes towards the pointer.
    const Rect& v = layout_.view;
    int dx = 0, dy = 0;
    if (mouse_.y < v.Top)
      dy = -lineHeight_;
    else if (mouse_.y >= v.Bottom)
      dy = lineHeight_;
    if (mouse_.x < v.Left)
      dx = -lineHeight_;
    else if (mouse_.x >= v.Right)
      dx = lineHeight_;
    ScrollTo(scrollX_ + dx, scrollY_ + dy);
    Select(selection_.anchor, PosAt(mouse_.x, mouse_.y));
  }
}

void ReadOnlyMemo::EndDrag() {
  KillTimer(Handle(), kRepeatTimer);
  KillTimer(Handle(), kAutoScrollTimer);
  if (drag_ == Drag::Vertical)
    Apply(Orientation::Vertical, verticalInput_.Release(vertical_, VerticalMetrics()));
  if (drag_ == Drag::Horizontal)
    Apply(Orientation::Horizontal, horizontalInput_.Release(horizontal_, HorizontalMetrics()));
  drag_ = Drag::None;
}

void ReadOnlyMemo::OnWheel(int delta, bool horizontal, POINT screen, UINT msg, WPARAM wp,
                           LPARAM lp) {
  RECT window{};
  GetWindowRect(Handle(), &window);
  if (!PtInRect(&window, screen)) {
    // The wheel comes to the focus; it belongs to whatever is under the pointer.
    SendMessageW(GetParent(Handle()), msg, wp, lp);
    return;
  }
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines == WHEEL_PAGESCROLL)
    lines = std::max((layout_.view.Bottom - layout_.view.Top) / lineHeight_, 1);
  // Counted in parts of a line, so that a finer wheel's small deltas add up to whole lines.
  wheelRemainder_ += delta * static_cast<int>(lines);
  const int wholeLines = wheelRemainder_ / WHEEL_DELTA;
  wheelRemainder_ -= wholeLines * WHEEL_DELTA;
  const int pixels = wholeLines * lineHeight_;
  if (horizontal)
    ScrollTo(scrollX_ + pixels, scrollY_);
  else
    ScrollTo(scrollX_, scrollY_ - pixels);
}

void ReadOnlyMemo::OnContextMenu(int x, int y) {
  if (x == -1 && y == -1) {  // from the keyboard: at the caret
    POINT p = PointOf(selection_.caret);
    p.y += lineHeight_;
    ClientToScreen(Handle(), &p);
    x = p.x;
    y = p.y;
  }
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu)
    return;
  AppendMenuW(menu.get(), MF_STRING | (selection_.Empty() ? MF_GRAYED : 0), kCopyItem,
              L"コピー(&C)\tCtrl+C");
  AppendMenuW(menu.get(), MF_STRING, kSelectAllItem, L"すべて選択(&A)\tCtrl+A");
  const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
      menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, Handle(), nullptr));
  if (chosen == kCopyItem)
    Copy();
  else if (chosen == kSelectAllItem)
    SelectAll();
}

}  // namespace quorvel::win
