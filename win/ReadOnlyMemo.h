// A read-only multi-line text box in the About window's dark look, with scroll bars of its own
// (the system's cannot take these colours). Its text can be scrolled, selected and copied but
// not changed. It answers the edit control's messages for reading and selecting (WM_GETTEXT,
// EM_GETLINECOUNT, EM_GETLINE, EM_GETSEL, EM_SETSEL, WM_COPY), so it can be driven like one.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Handles.h"
#include "LayeredCanvas.h"
#include "Raster.h"
#include "ScrollBar.h"
#include "ScrollBarInput.h"
#include "ScrollView.h"
#include "TextLines.h"
#include "Window.h"
#include "WinIcons.h"

namespace quorvel::win {

class ReadOnlyMemo : public Window<ReadOnlyMemo> {
 public:
  // `bounds` in the parent's client pixels; `fontHeight` in logical pixels.
  ReadOnlyMemo(HINSTANCE instance, HWND parent, const Rect& bounds, int fontHeight,
               std::vector<std::u16string> lines);
  ~ReadOnlyMemo();

  const TextLines& Lines() const { return lines_; }
  void InsertLine(int index, std::u16string line);
  const TextSelection& Selection() const { return selection_; }
  // The size grip drawn between the two scroll bars, at its own size.
  void SetGrip(std::shared_ptr<const SlotPicture> grip);
  // A new DPI: new font and measures; the new bounds follow.
  void SetDpi(int dpi, const Rect& bounds);

  POINT ScrollPosition() const { return {scrollX_, scrollY_}; }
  const ScrollViewLayout& Layout() const { return layout_; }
  ScrollBarLayout VerticalBar() const { return vertical_; }
  ScrollBarLayout HorizontalBar() const { return horizontal_; }
  ScrollMetrics VerticalMetrics() const;
  ScrollMetrics HorizontalMetrics() const;
  int LineHeight() const { return lineHeight_; }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  enum class Drag { None, Text, Vertical, Horizontal };
  // Logical pixels: between the frame and the text area with its bars, and around the text.
  static constexpr int kPadding = 2, kMarginX = 4, kMarginY = 2;

  int Scale(int logical) const;
  void Measure();
  void Relayout();
  void ScrollTo(int x, int y);
  void Apply(Orientation along, const ScrollBarAnswer& answer);

  // Where a place is drawn, in client pixels: the top left of its caret.
  POINT PointOf(TextPos pos) const;
  int ColumnAt(int line, int x) const;
  TextPos PosAt(int x, int y) const;
  void Select(TextPos anchor, TextPos caret);
  void MoveCaret(TextPos to, bool extend);
  void ShowCaretPlace();
  void UpdateCaret();
  void Copy();
  void SelectAll();

  void OnKeyDown(WPARAM key);
  void OnButtonDown(int x, int y, bool doubleClick);
  void OnMouseMove(int x, int y);
  void OnTimer(UINT_PTR id);
  void OnWheel(int delta, bool horizontal, POINT screen, UINT msg, WPARAM wp, LPARAM lp);
  void OnContextMenu(int x, int y);
  void EndDrag();

  void Paint(HDC dc);
  void PaintText(LayeredCanvas& canvas, Raster& raster) const;

  TextLines lines_;
  TextSelection selection_;
  int fontHeight_;
  int dpi_ = 96;
  UniqueFont font_;
  int lineHeight_ = 16;
  // Per line, the distance from its start to each place in it.
  std::vector<std::vector<int>> extents_;
  int contentWidth_ = 0, contentHeight_ = 0;
  int scrollX_ = 0, scrollY_ = 0;
  ScrollViewLayout layout_;
  ScrollBarLayout vertical_, horizontal_;
  ScrollBarInput verticalInput_, horizontalInput_;
  Drag drag_ = Drag::None;
  POINT mouse_{};
  int desiredX_ = -1;  // kept across up and down moves
  int wheelRemainder_ = 0;
  bool hasCaret_ = false, caretShown_ = false, trackingLeave_ = false;
  std::shared_ptr<const SlotPicture> grip_;
};

}  // namespace quorvel::win
