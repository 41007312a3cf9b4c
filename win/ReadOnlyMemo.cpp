#include "ReadOnlyMemo.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "AboutLayout.h"
#include "Clipboard.h"
#include "ScrollBarPainter.h"
#include "StripPainter.h"
#include "Utf16.h"

namespace quorvel::win {

namespace {

constexpr wchar_t kClassName[] = L"QuorvelReadOnlyMemo";

}  // namespace

ReadOnlyMemo::ReadOnlyMemo(HINSTANCE instance, HWND parent, const Rect& bounds, int fontHeight,
                           std::vector<std::u16string> lines)
    : lines_(std::move(lines)), fontHeight_(fontHeight) {
  Register(instance, kClassName, CS_DBLCLKS);
  dpi_ = static_cast<int>(GetDpiForWindow(parent));
  font_ = CreateUiFont(dpi_, fontHeight_);
  Measure();
  // A child window: the base makes top-level ones only.
  CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, bounds.Left, bounds.Top,
                  bounds.Right - bounds.Left, bounds.Bottom - bounds.Top, parent, nullptr, instance,
                  this);
  Relayout();
}

ReadOnlyMemo::~ReadOnlyMemo() = default;

int ReadOnlyMemo::Scale(int logical) const {
  return ScaleToDpi(logical, dpi_);
}

void ReadOnlyMemo::InsertLine(int index, std::u16string line) {
  const int at = std::clamp(index, 0, lines_.Count());
  lines_.Insert(at, std::move(line));
  // A selection stays on the text it was on; a caret at the very start stays there.
  if (!(selection_.Empty() && selection_.caret == TextPos{})) {
    for (TextPos* p : {&selection_.anchor, &selection_.caret}) {
      if (p->line >= at)
        ++p->line;
    }
  }
  Measure();
  Relayout();
}

void ReadOnlyMemo::SetGrip(std::shared_ptr<const SlotPicture> grip) {
  grip_ = std::move(grip);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void ReadOnlyMemo::SetDpi(int dpi, const Rect& bounds) {
  if (dpi <= 0)
    dpi = 96;
  // The text that showed at the top left keeps showing there.
  scrollX_ = MulDiv(scrollX_, dpi, dpi_);
  scrollY_ = MulDiv(scrollY_, dpi, dpi_);
  dpi_ = dpi;
  font_ = CreateUiFont(dpi_, fontHeight_);
  Measure();
  if (hasCaret_) {  // as tall as the new lines
    DestroyCaret();
    hasCaret_ = CreateCaret(Handle(), nullptr, std::max(Scale(1), 1), lineHeight_) != 0;
    caretShown_ = false;
  }
  SetWindowPos(Handle(), nullptr, bounds.Left, bounds.Top, bounds.Right - bounds.Left,
               bounds.Bottom - bounds.Top, SWP_NOZORDER | SWP_NOACTIVATE);
  Relayout();
}

void ReadOnlyMemo::Measure() {
  const UniqueDc dc(CreateCompatibleDC(nullptr));
  const SelectGuard f(dc.get(), font_.get());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.get(), &tm);
  lineHeight_ = std::max<int>(tm.tmHeight + tm.tmExternalLeading, 1);
  extents_.assign(lines_.Count(), {});
  int widest = 0;
  for (int i = 0; i < lines_.Count(); ++i) {
    const std::wstring text = ToWide(lines_.Line(i));
    std::vector<int>& x = extents_[i];
    x.assign(text.size() + 1, 0);
    SIZE size{};
    if (!text.empty() &&
        GetTextExtentExPointW(dc.get(), text.c_str(), static_cast<int>(text.size()), 0, nullptr,
                              x.data() + 1, &size)) {
      widest = std::max<int>(widest, size.cx);
    }
  }
  contentWidth_ = widest + 2 * Scale(kMarginX);
  contentHeight_ = lines_.Count() * lineHeight_ + 2 * Scale(kMarginY);
}

void ReadOnlyMemo::Relayout() {
  if (!Handle())
    return;
  RECT client{};
  GetClientRect(Handle(), &client);
  const int pad = Scale(kPadding);
  const Rect area{client.left + pad, client.top + pad, client.right - pad, client.bottom - pad};
  layout_ = LayoutScrollView(area, contentWidth_, contentHeight_, Scale(kScrollBarThickness));
  const ScrollBarMeasures measures{Scale(kScrollButtonLength), Scale(kScrollInset),
                                   Scale(kScrollMinThumb)};
  vertical_ = layout_.vertical ? ScrollBarLayout(*layout_.vertical, Orientation::Vertical, measures)
                               : ScrollBarLayout();
  horizontal_ = layout_.horizontal
                    ? ScrollBarLayout(*layout_.horizontal, Orientation::Horizontal, measures)
                    : ScrollBarLayout();
  scrollX_ = ClampScrollPosition(HorizontalMetrics(), scrollX_);
  scrollY_ = ClampScrollPosition(VerticalMetrics(), scrollY_);
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateCaret();
}

ScrollMetrics ReadOnlyMemo::VerticalMetrics() const {
  return {contentHeight_, layout_.view.Bottom - layout_.view.Top, scrollY_};
}

ScrollMetrics ReadOnlyMemo::HorizontalMetrics() const {
  return {contentWidth_, layout_.view.Right - layout_.view.Left, scrollX_};
}

void ReadOnlyMemo::ScrollTo(int x, int y) {
  x = ClampScrollPosition(HorizontalMetrics(), x);
  y = ClampScrollPosition(VerticalMetrics(), y);
  if (x == scrollX_ && y == scrollY_)
    return;
  scrollX_ = x;
  scrollY_ = y;
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateCaret();
}

void ReadOnlyMemo::Apply(Orientation along, const ScrollBarAnswer& answer) {
  if (answer.scrollTo) {
    if (along == Orientation::Vertical)
      ScrollTo(scrollX_, *answer.scrollTo);
    else
      ScrollTo(*answer.scrollTo, scrollY_);
  }
  if (answer.repaint)
    InvalidateRect(Handle(), nullptr, FALSE);
}

POINT ReadOnlyMemo::PointOf(TextPos pos) const {
  pos = lines_.Clamp(pos);
  const int x = extents_[pos.line][pos.column];
  return {layout_.view.Left + Scale(kMarginX) + x - scrollX_,
          layout_.view.Top + Scale(kMarginY) + pos.line * lineHeight_ - scrollY_};
}

int ReadOnlyMemo::ColumnAt(int line, int x) const {
  const std::vector<int>& at = extents_[line];
  int best = 0;
  for (int c = 1; c < static_cast<int>(at.size()); ++c) {
    if (std::abs(at[c] - x) < std::abs(at[best] - x))
      best = c;
  }
  return lines_.Clamp({line, best}).column;
}

TextPos ReadOnlyMemo::PosAt(int x, int y) const {
  // Above the first line is the text's start, below the last its end.
  const int top = y - layout_.view.Top - Scale(kMarginY) + scrollY_;
  if (top < 0)
    return {0, 0};
  const int line = top / lineHeight_;
  if (line >= lines_.Count())
    return lines_.End();
  return {line, ColumnAt(line, x - layout_.view.Left - Scale(kMarginX) + scrollX_)};
}

void ReadOnlyMemo::Select(TextPos anchor, TextPos caret) {
  desiredX_ = -1;
  const TextSelection next{lines_.Clamp(anchor), lines_.Clamp(caret)};
  if (next.anchor == selection_.anchor && next.caret == selection_.caret)
    return;
  selection_ = next;
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateCaret();
}

void ReadOnlyMemo::MoveCaret(TextPos to, bool extend) {
  Select(extend ? selection_.anchor : to, to);
  ShowCaretPlace();
}

// Scrolls just enough for the caret's line and place to show.
void ReadOnlyMemo::ShowCaretPlace() {
  const POINT p = PointOf(selection_.caret);
  const Rect& v = layout_.view;
  int x = scrollX_, y = scrollY_;
  if (p.y < v.Top)
    y -= v.Top - p.y;
  else if (p.y + lineHeight_ > v.Bottom)
    y += p.y + lineHeight_ - v.Bottom;
  const int margin = Scale(kMarginX);
  if (p.x < v.Left + margin)
    x -= v.Left + margin - p.x;
  else if (p.x > v.Right - margin)
    x += p.x - (v.Right - margin);
  ScrollTo(x, y);
}

void ReadOnlyMemo::UpdateCaret() {
  if (!hasCaret_)
    return;
  const POINT p = PointOf(selection_.caret);
  const Rect& v = layout_.view;
  const bool inside =
      p.x >= v.Left && p.x < v.Right && p.y >= v.Top && p.y + lineHeight_ <= v.Bottom;
  if (inside) {
    SetCaretPos(p.x, p.y);
    if (!caretShown_)
      caretShown_ = ShowCaret(Handle()) != 0;
  } else if (caretShown_) {
    HideCaret(Handle());
    caretShown_ = false;
  }
}

void ReadOnlyMemo::Copy() {
  if (selection_.Empty())
    return;
  (void)CopyToClipboard(Handle(), lines_.Text(selection_.anchor, selection_.caret));
}

void ReadOnlyMemo::SelectAll() {
  Select({0, 0}, lines_.End());
}

LRESULT ReadOnlyMemo::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint(nullptr);
      return 0;
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      Relayout();
      return 0;
    case WM_SETFOCUS:
      hasCaret_ = CreateCaret(Handle(), nullptr, std::max(Scale(1), 1), lineHeight_) != 0;
      caretShown_ = false;
      UpdateCaret();
      return 0;
    case WM_KILLFOCUS:
      if (hasCaret_)
        DestroyCaret();
      hasCaret_ = caretShown_ = false;
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      OnKeyDown(wp);
      return 0;
    case WM_CHAR:  // nothing typed goes in
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == Handle())
        ReleaseCapture();  // the drag ends at WM_CAPTURECHANGED
      else
        EndDrag();
      return 0;
    case WM_CAPTURECHANGED:
      EndDrag();
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      Apply(Orientation::Vertical, verticalInput_.Leave());
      Apply(Orientation::Horizontal, horizontalInput_.Leave());
      return 0;
    case WM_TIMER:
      OnTimer(wp);
      return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
      // Shift turns the wheel sideways: up goes left, as a tilt to the left does.
      const bool shifted = msg == WM_MOUSEWHEEL && (GET_KEYSTATE_WPARAM(wp) & MK_SHIFT);
      const int delta = GET_WHEEL_DELTA_WPARAM(wp);
      OnWheel(shifted ? -delta : delta, msg == WM_MOUSEHWHEEL || shifted,
              {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, msg, wp, lp);
      return 0;
    }
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        POINT p{};
        GetCursorPos(&p);
        ScreenToClient(Handle(), &p);
        SetCursor(LoadCursorW(nullptr, Contains(layout_.view, p.x, p.y) ? IDC_IBEAM : IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_CONTEXTMENU:
      OnContextMenu(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;

    // The edit control's messages for reading and selecting.
    case WM_GETTEXTLENGTH:
      return lines_.Length();
    case WM_GETTEXT: {
      if (wp == 0 || lp == 0)
        return 0;
      const std::u16string text = lines_.Text();
      const size_t n = std::min<size_t>(text.size(), wp - 1);
      auto* out = reinterpret_cast<wchar_t*>(lp);
      std::memcpy(out, text.data(), n * sizeof(wchar_t));
      out[n] = L'\0';
      return static_cast<LRESULT>(n);
    }
    case EM_GETLINECOUNT:
      return lines_.Count();
    case EM_GETLINE: {
      const int line = static_cast<int>(wp);
      if (line < 0 || line >= lines_.Count() || lp == 0)
        return 0;
      auto* out = reinterpret_cast<wchar_t*>(lp);
      WORD room = 0;
      std::memcpy(&room, out, sizeof room);  // the buffer's size is in its first word
      const std::u16string& text = lines_.Line(line);
      const size_t n = std::min<size_t>(text.size(), room);
      std::memcpy(out, text.data(), n * sizeof(wchar_t));
      return static_cast<LRESULT>(n);
    }
    case EM_GETFIRSTVISIBLELINE:
      return std::max(scrollY_ - Scale(kMarginY), 0) / lineHeight_;
    case EM_GETSEL: {
      const DWORD start = static_cast<DWORD>(lines_.OffsetOf(selection_.Start()));
      const DWORD end = static_cast<DWORD>(lines_.OffsetOf(selection_.End()));
      if (wp)
        *reinterpret_cast<DWORD*>(wp) = start;
      if (lp)
        *reinterpret_cast<DWORD*>(lp) = end;
      return start > 0xFFFF || end > 0xFFFF ? -1 : MAKELRESULT(start, end);
    }
    case EM_SETSEL: {
      const int start = static_cast<int>(wp), end = static_cast<int>(lp);
      if (start == -1) {  // only takes the selection away
        Select(selection_.caret, selection_.caret);
        return 0;
      }
      const TextPos caret = end < 0 ? lines_.End() : lines_.PosAt(end);
      Select(lines_.PosAt(start), caret);
      return 0;
    }
    case EM_SCROLLCARET:
      ShowCaretPlace();
      return 0;
    case WM_COPY:
      Copy();
      return 0;
    // Read-only: whatever would change the text is refused.
    case WM_SETTEXT:
      return FALSE;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_REPLACESEL:
    case EM_UNDO:
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace quorvel::win
