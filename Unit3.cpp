#include "Unit3.h"

#include "Handles.h"

namespace quorvel {

namespace {

constexpr wchar_t kClassName[] = L"TForm3";
constexpr int kClientWidth = 648, kClientHeight = 678;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

}  // namespace

TForm3::TForm3(HINSTANCE instance) {
  Register(instance, kClassName, 0);
  Create(kExStyle, kClassName, L"About Quorvel", kStyle, 0, 0, kClientWidth, kClientHeight,
         instance);
}

void TForm3::Show() {
  if (!shownBefore_) {
    const UINT dpi = GetDpiForWindow(Handle());
    RECT r{0, 0, MulDiv(kClientWidth, dpi, 96), MulDiv(kClientHeight, dpi, 96)};
    AdjustWindowRectExForDpi(&r, kStyle, FALSE, kExStyle, dpi);
    const int w = r.right - r.left, h = r.bottom - r.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(Handle(), HWND_TOPMOST, work.left + (work.right - work.left - w) / 2,
                 work.top + (work.bottom - work.top - h) / 2, w, h, SWP_NOACTIVATE);
    shownBefore_ = true;
  }
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
}

LRESULT TForm3::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      ShowWindow(Handle(), SW_HIDE);
      return 0;
    case WM_ERASEBKGND: {
      RECT r{};
      GetClientRect(Handle(), &r);
      const win::UniqueBrush background(CreateSolidBrush(RGB(0x50, 0x50, 0x50)));
      FillRect(reinterpret_cast<HDC>(wp), &r, background.get());
      return 1;
    }
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace quorvel
