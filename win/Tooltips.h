// One tooltip control for a window whose parts are not windows: a tool per rectangle.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "ScreenGuard.h"

namespace quorvel::win {

struct Tip {
  Rect area;  // client coordinates
  std::u16string text;
};

class Tooltips {
 public:
  explicit Tooltips(HWND owner);
  // Replaces every tool; an empty text gives no tool.
  void Set(const std::vector<Tip>& tips);
  HWND Handle() const { return tooltip_.get(); }
  int Count() const;

 private:
  HWND owner_;
  bool registered_;
  UniqueWindow tooltip_;
  UINT tools_ = 0;
};

}  // namespace quorvel::win
