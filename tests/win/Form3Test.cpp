// The About window in-process: its frame, its showing and closing, the guide's text box, and
// its look where the look is the behaviour.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AboutLayout.h"
#include "AboutTexts.h"
#include "LayeredCanvas.h"
#include "ResourceIds.h"
#include "StripFixture.h"
#include "Unit3.h"

namespace quorvel {
namespace {

constexpr std::uint32_t kEmblemColour = 0xFF20C040, kShotColour = 0xFF2060E0,
                        kGripColour = 0xFFFF00FF;

std::shared_ptr<const win::SlotPicture> Solid(int w, int h, std::uint32_t argb) {
  return std::make_shared<win::SlotPicture>(w, h, std::vector<std::uint32_t>(w * h, argb));
}

// Plain pictures of the real sizes, so that where they land can be told by their colour.
std::shared_ptr<const win::SlotPicture> TestPictures(int id) {
  switch (id) {
    case IDR_EMBLEM:
      return Solid(64, 64, kEmblemColour);
    case IDR_SCREENSHOT:
      return Solid(727, 319, kShotColour);
    case IDR_SIZEGRIP:
      return Solid(11, 11, kGripColour);
    default:
      return nullptr;
  }
}

std::u16string ClipboardText() {
  std::u16string text;
  if (!OpenClipboard(nullptr))
    return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const char16_t*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void PutOnClipboard(std::u16string_view text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * 2);
  auto* p = static_cast<char16_t*>(GlobalLock(memory));
  std::copy(text.begin(), text.end(), p);
  p[text.size()] = 0;
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

// Holds Ctrl down for this thread's key state, as the keyboard would.
class CtrlHeld {
 public:
  CtrlHeld() {
    GetKeyboardState(saved_);
    BYTE keys[256];
    std::copy(std::begin(saved_), std::end(saved_), keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    SetKeyboardState(keys);
  }
  ~CtrlHeld() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256];
};

// The client area as the window prints it, children included.
class Shot {
 public:
  explicit Shot(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    canvas_ = std::make_unique<win::LayeredCanvas>(r.right, r.bottom);
    EXPECT_TRUE(PrintWindow(hwnd, canvas_->Dc(), PW_CLIENTONLY));
    GdiFlush();
  }
  // The colour at a point, without alpha; a point outside fails the test.
  std::uint32_t operator()(int x, int y) const {
    if (x < 0 || y < 0 || x >= canvas_->Width() || y >= canvas_->Height()) {
      ADD_FAILURE() << x << "," << y << " lies outside the client area";
      return 0;
    }
    return canvas_->At(x, y) & 0xFFFFFF;
  }

 private:
  std::unique_ptr<win::LayeredCanvas> canvas_;
};

class Form3Test : public ::testing::Test {
 protected:
  std::unique_ptr<TForm3> form = std::make_unique<TForm3>(GetModuleHandleW(nullptr), &TestPictures);

  HWND Memo() { return form->Memo1().Handle(); }
  std::u16string Text() {
    const int n = static_cast<int>(SendMessageW(Memo(), WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(n + 1, L'\0');
    SendMessageW(Memo(), WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(text.data()));
    text.resize(n);
    return {text.begin(), text.end()};
  }
  std::u16string Line(int line) {
    wchar_t buffer[512];
    *reinterpret_cast<WORD*>(buffer) = 511;
    const auto n = SendMessageW(Memo(), EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer));
    return {buffer, buffer + n};
  }
  Shot Print() { return Shot(form->Handle()); }
  // A press and release at a point of the text box, as the mouse gives them.
  void Click(int x, int y) {
    SendMessageW(Memo(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(Memo(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  void Wheel(HWND to, int delta, POINT client) {
    ClientToScreen(form->Handle(), &client);
    SendMessageW(to, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(client.x, client.y));
  }

  static int ChannelOf(std::uint32_t c, int shift) { return (c >> shift) & 0xFF; }
  static bool Near(std::uint32_t got, std::uint32_t want, int tolerance = 3) {
    for (int shift = 0; shift < 24; shift += 8) {
      if (std::abs(ChannelOf(got, shift) - ChannelOf(want, shift)) > tolerance)
        return false;
    }
    return true;
  }
  static std::uint32_t Rgb(std::uint32_t c) { return c & 0xFFFFFF; }
};

TEST_F(Form3Test, ASmallFixedToolWindowOnTopThatStartsHidden) {
  const HWND w = form->Handle();
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(IsWindowVisible(w));
  RECT client{};
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 648);
  EXPECT_EQ(client.bottom, 678);
  wchar_t caption[64] = {};
  GetWindowTextW(w, caption, 64);
  EXPECT_STREQ(caption, L"About Quorvel");
  const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE), ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(style & WS_SYSMENU) << "the close button";
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_EQ(form->VersionText(), u"Quorvel V1.2");
}

TEST_F(Form3Test, ShowingTwiceShowsOneWindowWithOneVersionLine) {
  form->Show();
  form->Show();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(GetActiveWindow(), form->Handle()) << "shown active";
  EXPECT_EQ(GetFocus(), Memo()) << "the keys go to the guide";
  EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  int windows = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM count) {
        wchar_t name[32] = {};
        GetClassNameW(hwnd, name, 32);
        *reinterpret_cast<int*>(count) += std::wstring(name) == L"TForm3";
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  EXPECT_EQ(windows, 1);

  ASSERT_EQ(SendMessageW(Memo(), EM_GETLINECOUNT, 0, 0), 70);
  EXPECT_EQ(Line(0), kVersionText);
  EXPECT_EQ(Line(1), u"");
  EXPECT_EQ(Line(2), u"・ソフトの概要");
  EXPECT_EQ(Line(18), kRightsNotice);
  int versionLines = 0;
  for (int i = 0; i < 70; ++i)
    versionLines += Line(i) == kVersionText;
  EXPECT_EQ(versionLines, 1);
}

TEST_F(Form3Test, CentredAtTheFirstShowingAndWhereLeftAfterwards) {
  form->Show();
  RECT r{}, work{};
  GetWindowRect(form->Handle(), &r);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR(r.left - work.left, work.right - r.right, 1);
  EXPECT_NEAR(r.top - work.top, work.bottom - r.bottom, 1);
  SetWindowPos(form->Handle(), nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  form->Show();
  GetWindowRect(form->Handle(), &r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
}

TEST_F(Form3Test, ClosingOnlyHidesIt) {
  MSG stale;
  while (PeekMessageW(&stale, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    // an earlier test's strip, closed in this process, left its quit behind
  }
  form->Show();
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(IsWindow(form->Handle()));
  EXPECT_TRUE(IsWindow(Memo()));
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program goes on";
  form->Show();
  EXPECT_EQ(SendMessageW(Memo(), EM_GETLINECOUNT, 0, 0), 70) << "no lines put in again";
}

TEST_F(Form3Test, NothingChangesTheGuide) {
  const std::u16string before = Text();
  SendMessageW(Memo(), EM_SETSEL, 0, 5);
  PutOnClipboard(u"pasted");
  const std::wstring replacement = L"typed";
  struct Input {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
  };
  const Input inputs[] = {
      {WM_CHAR, L'x', 0},
      {WM_CHAR, VK_RETURN, 0},
      {WM_KEYDOWN, VK_DELETE, 0},
      {WM_KEYDOWN, VK_BACK, 0},
      {WM_PASTE, 0, 0},
      {WM_CUT, 0, 0},
      {WM_CLEAR, 0, 0},
      {WM_UNDO, 0, 0},
      {EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(replacement.c_str())},
      {WM_SETTEXT, 0, reinterpret_cast<LPARAM>(replacement.c_str())},
  };
  for (const Input& in : inputs) {
    SendMessageW(Memo(), in.msg, in.wp, in.lp);
    ASSERT_EQ(Text(), before) << "message " << std::hex << in.msg;
  }
  EXPECT_EQ(ClipboardText(), u"pasted") << "a cut takes nothing away";
}

TEST_F(Form3Test, SelectedTextIsCopiedAndCtrlASelectsAll) {
  SendMessageW(Memo(), EM_SETSEL, 0, 12);
  DWORD start = 0, end = 0;
  SendMessageW(Memo(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 12u);
  SendMessageW(Memo(), WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), u"Quorvel V1.2");

  SendMessageW(Memo(), EM_SETSEL, 14, 14 + 2 + 7);  // across a line break
  SendMessageW(Memo(), WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), u"\r\n・ソフトの概要");

  {
    const CtrlHeld ctrl;
    SendMessageW(Memo(), WM_KEYDOWN, 'A', 0);
    SendMessageW(Memo(), WM_KEYDOWN, 'C', 0);
  }
  const std::u16string all = ClipboardText();
  EXPECT_EQ(all, Text());
  EXPECT_EQ(all.substr(0, 14), u"Quorvel V1.2\r\n");
  EXPECT_EQ(all.size(), static_cast<size_t>(SendMessageW(Memo(), WM_GETTEXTLENGTH, 0, 0)));
}

TEST_F(Form3Test, TheMouseAndTheKeysSelect) {
  const int line = form->Memo1().LineHeight();
  const int textLeft = 2 + 4, lineTop = 2 + 2;  // in the text box
  const auto copied = [&] {
    SendMessageW(Memo(), WM_COPY, 0, 0);
    return ClipboardText();
  };
  // A drag from the start of the text to the far right of line 2.
  SendMessageW(Memo(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(textLeft, lineTop + line / 2));
  SendMessageW(Memo(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(600, lineTop + 2 * line + line / 2));
  SendMessageW(Memo(), WM_LBUTTONUP, 0, MAKELPARAM(600, lineTop + 2 * line + line / 2));
  EXPECT_EQ(copied(), u"Quorvel V1.2\r\n\r\n・ソフトの概要");
  // A double click takes the word.
  SendMessageW(Memo(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(textLeft + 4, lineTop + 2));
  EXPECT_EQ(copied(), u"Quorvel");
  // Down twice keeps to about the same x; Shift+End then selects the rest of line 2.
  BYTE keys[256];
  GetKeyboardState(keys);
  const auto key = [&](WPARAM vk, bool shift) {
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageW(Memo(), WM_KEYDOWN, vk, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  };
  key(VK_DOWN, false);
  key(VK_DOWN, false);
  key(VK_END, true);
  const std::u16string rest = copied(), whole = u"・ソフトの概要";
  EXPECT_FALSE(rest.empty());
  EXPECT_LT(rest.size(), whole.size()) << "the caret came down past the line's start";
  EXPECT_EQ(whole.substr(whole.size() - rest.size()), rest);
  key(VK_HOME, false);
  key(VK_END, true);
  EXPECT_EQ(copied(), whole);
  key(VK_RIGHT, false);
  key(VK_LEFT, true);
  EXPECT_EQ(copied(), u"要") << "a plain arrow ends the selection at its end";
}

TEST_F(Form3Test, TheLookIsDarkWithAnOrangeThumb) {
  const Shot at = Print();
  EXPECT_EQ(at(3, 3), 0x505050u) << "the background";
  EXPECT_EQ(at(640, 340), 0x505050u);
  EXPECT_EQ(at(9 + 3, 345 + 150), 0x333333u) << "the text box, left of its text";
  EXPECT_EQ(at(9 + 300, 345), 0x202020u) << "its frame";
  EXPECT_EQ(at(8 + 20, 8 + 1), 0x404040u) << "the emblem's view, in its padding";
  EXPECT_EQ(at(8 + 20, 8), 0x303030u) << "and its frame";
  EXPECT_TRUE(Near(at(300, 67), 0x303030, 6)) << "the screenshot frame starts dark";
  EXPECT_EQ(at(100, 65 + 270), 0x404040u) << "and is flat after 0.698 of its height";

  // The vertical bar along the right edge, inside the frame's padding: 622..638.
  EXPECT_TRUE(Near(at(623, 345 + 2 + 9), 0x606060, 12)) << "up button, light on its left";
  EXPECT_TRUE(Near(at(637, 345 + 2 + 9), 0x303030, 12)) << "and dark on its right";
  const std::uint32_t thumb = at(625, 345 + 2 + 18 + 2 + 8);
  EXPECT_TRUE(Near(thumb, 0xF4BB40, 0x20)) << std::hex << thumb;
  EXPECT_GT(ChannelOf(thumb, 16), ChannelOf(at(635, 345 + 2 + 18 + 2 + 8), 16))
      << "lighter on the left";
  EXPECT_EQ(at(622, 647), 0x484848u) << "the corner between the bars";
  EXPECT_EQ(at(630, 655), Rgb(kGripColour)) << "holds the grip, centred";
  EXPECT_EQ(at(623, 657), 0x484848u) << "which is no bigger than its own size";
  EXPECT_EQ(at(637, 662), 0x484848u);
}

TEST_F(Form3Test, PicturesSitCentredInTheirViews) {
  const Shot at = Print();
  // The emblem at 0.7: 44.8 px in the 45 px inside the view's padding, from x 10.1 to 54.9.
  EXPECT_EQ(at(32, 32), Rgb(kEmblemColour));
  EXPECT_EQ(at(11, 32), Rgb(kEmblemColour));
  EXPECT_EQ(at(53, 32), Rgb(kEmblemColour));
  EXPECT_TRUE(Near(at(10, 32), kEmblemColour, 0x20) && at(10, 32) != Rgb(kEmblemColour))
      << "the edge pixels are nine tenths covered";
  EXPECT_EQ(at(9, 32), 0x404040u);
  EXPECT_EQ(at(55, 32), 0x404040u);
  // The screenshot fills the width inside the 3 px inset and is centred in its height.
  EXPECT_EQ(at(19, 200), Rgb(kShotColour));
  EXPECT_EQ(at(621, 200), Rgb(kShotColour));
  EXPECT_NE(at(18, 200), Rgb(kShotColour));
  EXPECT_NE(at(622, 200), Rgb(kShotColour));
  EXPECT_EQ(at(300, 69), Rgb(kShotColour));
  EXPECT_EQ(at(300, 332), Rgb(kShotColour));
  EXPECT_NE(at(300, 334), Rgb(kShotColour));
}

TEST_F(Form3Test, TheWheelOverTheEmblemZoomsItByAStepANotch) {
  EXPECT_DOUBLE_EQ(form->EmblemScale(), 0.7);
  Wheel(form->Handle(), 120, {30, 30});
  EXPECT_NEAR(form->EmblemScale(), 0.74, 1e-9);
  Wheel(form->Handle(), -360, {30, 30});
  EXPECT_NEAR(form->EmblemScale(), 0.62, 1e-9);
  // The wheel comes to the focus, the text box; over the emblem it still zooms.
  Wheel(Memo(), 240, {12, 50});
  EXPECT_NEAR(form->EmblemScale(), 0.70, 1e-9);
  Wheel(form->Handle(), 120, {300, 200});  // over the screenshot
  EXPECT_NEAR(form->EmblemScale(), 0.70, 1e-9);
  Wheel(Memo(), 600, {30, 30});
  const Shot shot = Print();
  EXPECT_EQ(shot(10, 32), Rgb(kEmblemColour)) << "larger: it fills the view";
  EXPECT_EQ(shot(9, 32), 0x404040u) << "but stays inside it";
}

TEST_F(Form3Test, TheGuideScrollsByWheelButtonsTrackAndThumb) {
  win::ReadOnlyMemo& memo = form->Memo1();
  const int line = memo.LineHeight();
  ASSERT_TRUE(memo.Layout().vertical.has_value()) << "70 lines overflow the box";
  EXPECT_EQ(memo.ScrollPosition().y, 0);
  Wheel(form->Handle(), -120, {300, 500});  // a notch down over the text box
  EXPECT_EQ(memo.ScrollPosition().y, 3 * line);
  Wheel(Memo(), 240, {300, 500});
  EXPECT_EQ(memo.ScrollPosition().y, 0) << "and back up, never before the start";

  const ScrollBarLayout bar = memo.VerticalBar();
  const Rect down = bar.ForwardButton();
  Click(down.Left + 8, down.Top + 8);
  EXPECT_EQ(memo.ScrollPosition().y, line);
  const int page = memo.Layout().view.Bottom - memo.Layout().view.Top;
  Click(bar.Groove().Left + 4, bar.Groove().Bottom - 2);
  EXPECT_EQ(memo.ScrollPosition().y, line + page) << "the track pages";

  // The thumb, grabbed in its middle and dragged past either end of the bar.
  const Rect thumb = bar.Thumb(memo.VerticalMetrics());
  const int x = (thumb.Left + thumb.Right) / 2, grab = (thumb.Top + thumb.Bottom) / 2;
  SendMessageW(Memo(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, grab));
  SendMessageW(Memo(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 5000));
  EXPECT_EQ(memo.ScrollPosition().y, MaxScrollPosition(memo.VerticalMetrics()));
  EXPECT_GT(memo.ScrollPosition().y, line + page);
  SendMessageW(Memo(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, -5000));
  EXPECT_EQ(memo.ScrollPosition().y, 0);
  SendMessageW(Memo(), WM_LBUTTONUP, 0, MAKELPARAM(x, -5000));
  SendMessageW(Memo(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 5000));
  EXPECT_EQ(memo.ScrollPosition().y, 0) << "released, it no longer follows";
}

TEST_F(Form3Test, ASelectionIsUnderlaidOrange) {
  const int line = form->Memo1().LineHeight();
  // From the end of the version line to the start of line 2: the empty line 1 shows only its
  // selected line break, at the text's left edge.
  SendMessageW(Memo(), EM_SETSEL, 12, 16);
  const Shot shot = Print();
  const int textLeft = 9 + 2 + 4, lineTop = 345 + 2 + 2 + line;
  const std::uint32_t lit = shot(textLeft + 1, lineTop + line / 2);
  // 70F69E2D over 333333.
  EXPECT_TRUE(Near(lit, 0x896230, 2)) << std::hex << lit;
  EXPECT_EQ(shot(textLeft + line, lineTop + line / 2), 0x333333u)
      << "only as far as the line break";
  EXPECT_EQ(shot(textLeft + 1, lineTop + line + line / 2), 0x333333u)
      << "nothing of line 2 is selected";
}

TEST_F(Form3Test, ADisplayOfAnotherScaleScalesEverything) {
  RECT suggested{100, 50, 100 + 1000, 50 + 1050};
  SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  RECT client{};
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 972);
  EXPECT_EQ(client.bottom, 1017);
  RECT memo{};
  GetWindowRect(Memo(), &memo);
  MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&memo), 2);
  EXPECT_EQ(memo.left, ScaleToDpi(9, 144));
  EXPECT_EQ(memo.bottom, ScaleToDpi(345 + 320, 144));
  const Shot shot = Print();
  // The emblem at 0.7 of 1.5 times its size: 67.2 px in the 68 from 15, so from 15.4 on.
  EXPECT_EQ(shot(16, 48), Rgb(kEmblemColour));
  EXPECT_EQ(shot(81, 48), Rgb(kEmblemColour));
  EXPECT_NE(shot(84, 48), Rgb(kEmblemColour));
  EXPECT_EQ(shot(960, 1000), 0x505050u);
  EXPECT_EQ(form->Memo1().VerticalBar().Bar().Right - form->Memo1().VerticalBar().Bar().Left, 24)
      << "a 16 px bar is 24 px wide at 150 %";
}

// The strip's About command with the strip hidden: the window shows, and closing it leaves
// the program running.
class AboutCommandTest : public test::StripFixture {};

TEST_F(AboutCommandTest, ClosingTheAboutWindowWhileTheStripIsHiddenEndsNothing) {
  TForm3 about(GetModuleHandleW(nullptr), &TestPictures);
  form->SetAbout(&about);
  form->Run(MenuCommand::Mini);
  ASSERT_FALSE(IsWindowVisible(form->Handle()));
  form->Run(MenuCommand::About);
  EXPECT_TRUE(IsWindowVisible(about.Handle()));
  SendMessageW(about.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(about.Handle()));
  EXPECT_TRUE(IsWindow(form->Handle()));
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  form->Run(MenuCommand::About);
  EXPECT_TRUE(IsWindowVisible(about.Handle())) << "and it comes back";
  form->SetAbout(nullptr);
}

// The views show the pictures the executable carries, and stay empty (but framed) without them.
TEST(Form3Pictures, TheViewsShowWhatTheExecutableCarries) {
  const win::ComApartment com;
  TForm3 form(GetModuleHandleW(nullptr));  // the executable's own resources
  const bool carried = win::LoadPictureResource(IDR_EMBLEM) != nullptr;
  const Shot shot(form.Handle());
  if (carried)
    EXPECT_NE(shot(32, 32), 0x404040u) << "the emblem in its view";
  else
    EXPECT_EQ(shot(32, 32), 0x404040u) << "the emblem's view, empty";
  EXPECT_NE(shot(300, 200), 0u) << "the screenshot's frame is drawn";
}

}  // namespace
}  // namespace quorvel
