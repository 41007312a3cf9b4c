// The one window base of the program: `this` rides in GWLP_USERDATA from WM_NCCREATE on, and
// every message the derived class does not handle goes to DefWindowProcW.
#pragma once

#include <windows.h>

namespace quorvel::win {

template <typename Derived>
class Window {
 public:
  HWND Handle() const { return hwnd_; }

 protected:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window() {
    if (hwnd_)
      DestroyWindow(hwnd_);
  }

  static ATOM Register(HINSTANCE instance, const wchar_t* className, UINT style) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The program's icon, large and at the small size so that the system takes the 16 px image
    // rather than shrinking a larger one. Shared icons belong to the system: nothing to destroy.
    // A module without MAINICON gets null for both, and the system's default icon.
    wc.hIcon = LoadSharedIcon(instance, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    wc.hIconSm =
        LoadSharedIcon(instance, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    wc.lpszClassName = className;
    return RegisterClassExW(&wc);
  }

  HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x,
              int y, int w, int h, HINSTANCE instance) {
    return CreateWindowExW(exStyle, className, caption, style, x, y, w, h, nullptr, nullptr,
                           instance, this);
  }

  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

 private:
  static HICON LoadSharedIcon(HINSTANCE instance, int cx, int cy) {
    return static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, cx, cy, LR_SHARED));
  }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    Derived* self = nullptr;
    if (msg == WM_NCCREATE) {
      self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self)
      return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
    // No exception may cross user32.
    try {
      return self->HandleMessage(msg, wp, lp);
    } catch (...) {
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
  }

  HWND hwnd_ = nullptr;
};

}  // namespace quorvel::win
