#include "Unit3.h"

#include <windowsx.h>

#include "AboutLayout.h"
#include "AboutPainter.h"
#include "AboutTexts.h"
#include "PaintGuards.h"
#include "PictureLayout.h"
#include "ResourceIds.h"
#include "StripPainter.h"
#include "Utf16.h"

namespace quorvel {

namespace {

constexpr wchar_t kClassName[] = L"TForm3";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr int kVersionFontSize = 20, kRightsFontSize = 14, kGuideFontSize = 16;

}  // namespace

TForm3::TForm3(HINSTANCE instance, PictureSource pictures)
    : pictures_(std::move(pictures)), emblemScale_(kEmblemScale), label2_(kRightsNotice) {
  Register(instance, kClassName, 0);
  Create(kExStyle, kClassName, L"About Quorvel", kStyle, 0, 0, kAboutWidth, kAboutHeight, instance);
  if (Handle())
    ApplyDpi(static_cast<int>(GetDpiForWindow(Handle())));
}

TForm3::~TForm3() = default;

void TForm3::CreateControls() {
  const int dpi = static_cast<int>(GetDpiForWindow(Handle()));
  memo1_ = std::make_unique<win::ReadOnlyMemo>(
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Handle(), GWLP_HINSTANCE)), Handle(),
      ScaleToDpi(kGuideMemo, dpi), kGuideFontSize, GuideLines());
}

void TForm3::FormCreate() {
  lblExeVasion_ = kVersionText;
  memo1_->InsertLine(0, std::u16string(kVersionText));
  memo1_->InsertLine(1, u"");
}

// Sized from the frame the window has, which is the frame of its DPI once that has changed.
void TForm3::FitClientArea() {
  RECT window{}, client{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  const int frameWidth = (window.right - window.left) - client.right;
  const int frameHeight = (window.bottom - window.top) - client.bottom;
  SetWindowPos(Handle(), nullptr, 0, 0, ScaleToDpi(kAboutWidth, dpi_) + frameWidth,
               ScaleToDpi(kAboutHeight, dpi_) + frameHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Fonts, pictures and the text box follow the window's DPI, so everything stays sharp.
void TForm3::ApplyDpi(int dpi) {
  dpi_ = dpi > 0 ? dpi : 96;
  versionFont_ = win::CreateUiFont(dpi_, kVersionFontSize);
  // The system substitutes a like face where Arial is missing.
  rightsFont_.reset(CreateFontW(-MulDiv(kRightsFontSize, dpi_, 96), 0, 0, 0, FW_NORMAL, FALSE,
                                FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Arial"));
  FitClientArea();
  canvas_.reset();  // made at the new size when next painted
  if (memo1_)
    memo1_->SetDpi(dpi_, ScaleToDpi(kGuideMemo, dpi_));
  Repaint();
}

void TForm3::Repaint() {
  painted_ = false;
  if (IsWindowVisible(Handle()))
    PaintCanvas();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TForm3::PaintCanvas() {
  if (!picturesTaken_) {
    const auto take = [this](int id) { return pictures_ ? pictures_(id) : nullptr; };
    emblem_ = take(IDR_EMBLEM);
    screenshot_ = take(IDR_SCREENSHOT);
    if (memo1_)
      memo1_->SetGrip(take(IDR_SIZEGRIP));
    picturesTaken_ = true;
  }
  if (!canvas_) {
    canvas_ = std::make_unique<win::LayeredCanvas>(ScaleToDpi(kAboutWidth, dpi_),
                                                   ScaleToDpi(kAboutHeight, dpi_));
  }
  if (!canvas_->Pixels())
    return;
  win::AboutScene scene;
  scene.dpi = dpi_;
  scene.emblem = emblem_.get();
  scene.emblemScale = emblemScale_;
  scene.screenshot = screenshot_.get();
  scene.version = win::ToWide(lblExeVasion_);
  scene.rights = win::ToWide(label2_);
  scene.versionFont = versionFont_.get();
  scene.rightsFont = rightsFont_.get();
  win::PaintAbout(*canvas_, scene);
  painted_ = true;
}

void TForm3::Show() {
  if (!shownBefore_) {
    RECT window{}, work{};
    GetWindowRect(Handle(), &window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int w = window.right - window.left, h = window.bottom - window.top;
    SetWindowPos(Handle(), HWND_TOPMOST, work.left + (work.right - work.left - w) / 2,
                 work.top + (work.bottom - work.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    shownBefore_ = true;
  }
  ShowWindow(Handle(), SW_SHOW);
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(Handle());
}

// The system's WM_PRINT leaves the children out under Wine; the text box is printed here, at
// its place, the same way everywhere.
void TForm3::Print(HDC dc, LPARAM flags) {
  if (!(flags & PRF_CHILDREN) || !memo1_ || !memo1_->Handle())
    return;
  RECT memo{};
  GetWindowRect(memo1_->Handle(), &memo);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&memo), 2);
  POINT at{memo.left, memo.top};
  if (flags & PRF_NONCLIENT) {  // the client area then lies inside the frame
    RECT window{};
    GetWindowRect(Handle(), &window);
    POINT client{0, 0};
    ClientToScreen(Handle(), &client);
    at.x += client.x - window.left;
    at.y += client.y - window.top;
  }
  const win::ViewportShift shift(dc, at);
  SendMessageW(memo1_->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc),
               (flags | PRF_CLIENT) & ~PRF_NONCLIENT);
}

LRESULT TForm3::Wheel(UINT msg, WPARAM wp, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  ScreenToClient(Handle(), &p);
  if (msg == WM_MOUSEWHEEL && Contains(ScaleToDpi(kEmblemView, dpi_), p.x, p.y)) {
    emblemScale_ = ZoomedScale(emblemScale_, GET_WHEEL_DELTA_WPARAM(wp));
    Repaint();
    return 0;
  }
  if (memo1_ && Contains(ScaleToDpi(kGuideMemo, dpi_), p.x, p.y))
    return SendMessageW(memo1_->Handle(), msg, wp, lp);
  return 0;
}

LRESULT TForm3::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      CreateControls();
      FormCreate();
      return 0;
    case WM_CLOSE:
      ShowWindow(Handle(), SW_HIDE);
      return 0;
    case WM_SETFOCUS:
      if (memo1_)
        SetFocus(memo1_->Handle());
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const win::PaintGuard paint(Handle());
      if (!painted_)
        PaintCanvas();
      if (canvas_)
        BitBlt(paint.Dc(), 0, 0, canvas_->Width(), canvas_->Height(), canvas_->Dc(), 0, 0, SRCCOPY);
      return 0;
    }
    case WM_PRINTCLIENT:
      if (!painted_)
        PaintCanvas();
      if (canvas_)
        BitBlt(reinterpret_cast<HDC>(wp), 0, 0, canvas_->Width(), canvas_->Height(), canvas_->Dc(),
               0, 0, SRCCOPY);
      return 0;
    case WM_PRINT: {
      const LRESULT result = Default(msg, wp, lp & ~PRF_CHILDREN);
      Print(reinterpret_cast<HDC>(wp), lp);
      return result;
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      return Wheel(msg, wp, lp);
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lp);
      ApplyDpi(HIWORD(wp));
      SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace quorvel
