#include "Tooltips.h"

#include <commctrl.h>

#include "Utf16.h"

namespace quorvel::win {

namespace {

bool RegisterTooltipClass() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  return InitCommonControlsEx(&icc) != 0;
}

}  // namespace

Tooltips::Tooltips(HWND owner)
    : owner_(owner),
      registered_(RegisterTooltipClass()),
      tooltip_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               GetModuleHandleW(nullptr), nullptr)) {
  if (tooltip_)
    SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, 1000);
}

void Tooltips::Set(const std::vector<Tip>& tips) {
  if (!tooltip_)
    return;
  for (UINT id = 1; id <= tools_; ++id) {
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;  // accepted by every comctl32, manifest or not
    ti.hwnd = owner_;
    ti.uId = id;
    SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
  tools_ = 0;
  for (const Tip& tip : tips) {
    if (tip.text.empty())
      continue;
    std::wstring text = ToWide(tip.text);
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;  // accepted by every comctl32, manifest or not
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = owner_;
    ti.uId = ++tools_;
    ti.rect = {tip.area.Left, tip.area.Top, tip.area.Right, tip.area.Bottom};
    ti.lpszText = text.data();  // copied by the control
    SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

int Tooltips::Count() const {
  return tooltip_ ? static_cast<int>(SendMessageW(tooltip_.get(), TTM_GETTOOLCOUNT, 0, 0)) : 0;
}

}  // namespace quorvel::win
