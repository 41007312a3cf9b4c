// Move-only owners for every kind of handle the program holds.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <ole2.h>

#include <memory>
#include <type_traits>
#include <utility>

namespace quorvel::win {

template <auto Release>
struct HandleDeleter {
  template <typename T>
  void operator()(T handle) const noexcept {
    Release(handle);
  }
};

// A unique_ptr over a handle type that is itself a pointer (HICON, HBITMAP, ...).
template <typename Handle, auto Release>
using UniqueAny = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Release>>;

using UniqueIcon = UniqueAny<HICON, &DestroyIcon>;
using UniqueMenu = UniqueAny<HMENU, &DestroyMenu>;
using UniqueBitmap = UniqueAny<HBITMAP, &DeleteObject>;
using UniqueFont = UniqueAny<HFONT, &DeleteObject>;
using UniqueBrush = UniqueAny<HBRUSH, &DeleteObject>;
using UniquePen = UniqueAny<HPEN, &DeleteObject>;
using UniqueDc = UniqueAny<HDC, &DeleteDC>;
using UniqueWindow = UniqueAny<HWND, &DestroyWindow>;
using UniqueGlobal = UniqueAny<HGLOBAL, &GlobalFree>;
using UniqueModule = UniqueAny<HMODULE, &FreeLibrary>;
// From FindFirstFileW: wrap only a result other than INVALID_HANDLE_VALUE.
using UniqueFind = UniqueAny<HANDLE, &FindClose>;

// A kernel handle, where both null and INVALID_HANDLE_VALUE mean "none".
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) noexcept : h_(h) {}
  UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    reset(o.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  HANDLE get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  HANDLE release() noexcept { return std::exchange(h_, nullptr); }
  void reset(HANDLE h = nullptr) noexcept {
    if (*this)
      CloseHandle(h_);
    h_ = h;
  }

 private:
  HANDLE h_ = nullptr;
};

// A window DC obtained with GetDC, given back with ReleaseDC.
class ScreenDc {
 public:
  explicit ScreenDc(HWND hwnd = nullptr) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  ~ScreenDc() {
    if (dc_)
      ReleaseDC(hwnd_, dc_);
  }
  HDC get() const noexcept { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// SelectObject for the lifetime of the guard.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(SelectObject(dc, obj)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (old_)
      SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// COM for one thread, for the lifetime of the guard.
class ComApartment {
 public:
  ComApartment() noexcept : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(hr_))
      CoUninitialize();
  }
  bool ok() const noexcept { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};

// OLE for the UI thread (drag and drop needs it; it includes COM), for the guard's lifetime.
class OleSession {
 public:
  OleSession() noexcept : hr_(OleInitialize(nullptr)) {}
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  ~OleSession() {
    if (SUCCEEDED(hr_))
      OleUninitialize();
  }
  bool ok() const noexcept { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};

}  // namespace quorvel::win
