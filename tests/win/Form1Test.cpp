// The strip in-process: its input, its look and its close, with the platform scripted.
#include <windows.h>

#include <gtest/gtest.h>

#include "StripFixture.h"

namespace quorvel {
namespace {

using namespace quorvel::test;

class Form1Test : public StripFixture {
 protected:
  // A press at a logical point of the strip, buttons as the message's wParam carries them.
  void Press(UINT msg, WPARAM buttons, int x, int y) {
    SendMessageW(form->Handle(), msg, buttons, MAKELPARAM(x, y));
  }
  // Gradients step by a shade a row: near enough is the colour.
  static bool Near(std::uint32_t got, std::uint32_t want) {
    for (int shift = 0; shift < 32; shift += 8) {
      const int a = (got >> shift) & 0xFF, b = (want >> shift) & 0xFF;
      if (a - b > 3 || b - a > 3)
        return false;
    }
    return true;
  }
  static int HeaderX(int tab) { return 2 + 62 * tab + 31; }
  static int SlotX(int slot) { return 18 + 32 * slot; }
};

TEST_F(Form1Test, TabHeadersFollowTheInputTable) {
  ASSERT_NE(form->Handle(), nullptr);
  EXPECT_EQ(form->ActiveTab(), 0);
  Press(WM_RBUTTONDOWN, MK_RBUTTON, HeaderX(2), 10);
  Press(WM_MBUTTONDOWN, MK_MBUTTON, HeaderX(3), 10);
  EXPECT_EQ(form->ActiveTab(), 0) << "right and middle presses never switch";
  EXPECT_EQ(form->Grid().CurrentTab, 0);
  Press(WM_LBUTTONDOWN, MK_LBUTTON, HeaderX(3), 10);
  EXPECT_EQ(form->ActiveTab(), 3);
  EXPECT_EQ(form->Grid().CurrentTab, 3) << "the current tab is the visible one";
}

TEST_F(Form1Test, SlotPressesPickTheActionByTheFirstButtonDown) {
  for (int i = 0; i < 3; ++i)
    form->Grid().AddFileToTab(0, u"C:\\Tools\\app.exe");
  dialogs.answerYes = false;
  struct Case {
    UINT msg;
    WPARAM buttons;
    const char16_t* verb;  // nullptr: the removal question
  };
  const Case cases[] = {
      {WM_LBUTTONDOWN, MK_LBUTTON, u"OPEN"},
      {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, u"OPEN"},
      {WM_LBUTTONDBLCLK, MK_LBUTTON, u"OPEN"},  // a double click starts twice
      {WM_MBUTTONDOWN, MK_MBUTTON | MK_RBUTTON, nullptr},
      {WM_MBUTTONDOWN, MK_MBUTTON, u"open"},
  };
  for (const Case& c : cases) {
    shell.calls.clear();
    dialogs.asked.clear();
    Press(c.msg, c.buttons, SlotX(1), 42);
    if (c.verb) {
      ASSERT_EQ(shell.calls.size(), 1u);
      EXPECT_EQ(shell.calls[0].verb, c.verb);
    } else {
      EXPECT_TRUE(shell.calls.empty());
      EXPECT_EQ(dialogs.asked.size(), 1u);
    }
  }
  shell.calls.clear();
  for (UINT msg : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
    Press(msg, MK_LBUTTON | MK_RBUTTON | MK_MBUTTON, SlotX(5), 42);  // empty
    Press(msg, MK_LBUTTON | MK_RBUTTON | MK_MBUTTON, 319, 42);       // beyond the page
  }
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(Form1Test, AFailedLaunchRemovesThePressedSlot) {
  form->Grid().AddFileToTab(0, u"C:\\gone.exe");
  form->Grid().AddFileToTab(0, u"C:\\kept.exe");
  shell.result = 2;
  Press(WM_LBUTTONDOWN, MK_LBUTTON, SlotX(0), 42);
  ASSERT_EQ(dialogs.notified.size(), 1u);
  EXPECT_EQ(form->Grid().SlotImages[0][0].SlotPath, u"C:\\kept.exe");
}

TEST_F(Form1Test, OnlyTheTabControlIsOpaque) {
  const auto& c = form->Canvas();
  EXPECT_EQ(c.Width(), 321);
  EXPECT_EQ(c.Height(), 61);
  EXPECT_EQ(c.At(100, 60) >> 24, 0u) << "the bottom row shows nothing";
  EXPECT_EQ(c.At(318, 10) >> 24, 0u) << "the free part of the header band";
  EXPECT_EQ(c.At(0, 5) >> 24, 0u);
  EXPECT_EQ(c.At(100, 40), 0xFF404040u) << "the page";
  // Selected header: lighter at its top (inside the stroke) and 2 px taller than the others.
  EXPECT_EQ(c.At(HeaderX(0) - 20, 0), 0xFF303030u) << "the stroke";
  EXPECT_TRUE(Near(c.At(HeaderX(0) - 20, 1), 0xFF606060u));
  EXPECT_EQ(c.At(HeaderX(1) - 20, 1) >> 24, 0u);
  EXPECT_EQ(c.At(HeaderX(1) - 20, 2), 0xFF303030u) << "the stroke, 2 px lower";
  EXPECT_TRUE(Near(c.At(HeaderX(1) - 20, 3), 0xFF303030u));
  // Rounded corners: the selected header's top-left (4, 0), the page's four.
  for (const auto& [x, y] : {std::pair{4, 0}, {0, 24}, {320, 24}, {0, 59}, {320, 59}})
    EXPECT_EQ(c.At(x, y) >> 24, 0u) << "corner " << x << "," << y;
  for (const auto& [x, y] : {std::pair{5, 0}, {4, 1}, {1, 59}, {320, 58}})
    EXPECT_EQ(c.At(x, y), 0xFF303030u) << "the stroke turns the corner at " << x << "," << y;
}

TEST_F(Form1Test, AnUnselectedHeaderLightensOnlyWhileTheMouseIsOverIt) {
  const auto top = [&](int tab) { return form->Canvas().At(HeaderX(tab) - 20, 3); };
  EXPECT_TRUE(Near(top(2), 0xFF303030u));
  Press(WM_MOUSEMOVE, 0, HeaderX(2), 10);
  EXPECT_TRUE(Near(top(2), 0xFF505050u));
  EXPECT_TRUE(Near(top(1), 0xFF303030u));
  Press(WM_MOUSEMOVE, 0, HeaderX(1), 10);
  EXPECT_TRUE(Near(top(2), 0xFF303030u));
  EXPECT_TRUE(Near(top(1), 0xFF505050u));
  SendMessageW(form->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(Near(top(1), 0xFF303030u));
  Press(WM_MOUSEMOVE, 0, HeaderX(0), 10);
  EXPECT_TRUE(Near(form->Canvas().At(HeaderX(0) - 20, 1), 0xFF606060u)) << "selected stays";
}

TEST_F(Form1Test, CloseSavesAndStaysOpenWhenTheFileCannotBeWritten) {
  form->Grid().AddFileToTab(0, u"C:\\Tools\\app.exe");
  files.failWrites = true;
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0], std::u16string(kIni) + u" に書き込めません");
  ASSERT_TRUE(IsWindow(form->Handle()));
  files.failWrites = false;
  ShowWindow(form->Handle(), SW_HIDE);  // a close while hidden saves too
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form->Handle(), nullptr);
  EXPECT_EQ(files.files.count(kIni), 1u);
  MSG msg;
  PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the quit the close posted
}

TEST_F(Form1Test, MenuCaptionsNameTheCurrentTabAndTheMenuCloses) {
  Press(WM_LBUTTONDOWN, MK_LBUTTON, HeaderX(4), 10);
  EXPECT_TRUE(WhileMenuOpen([&] { form->Popup({400, 300}); }));
  EXPECT_EQ(form->Caption(MenuCommand::Open), u"ファイルを開いてタブ「アプリ 5」に追加");
  EXPECT_EQ(form->Caption(MenuCommand::Hint), u"タブ「アプリ 5」にヒントを設定");
  EXPECT_EQ(form->Caption(MenuCommand::Dash), u"--------------------");
}

TEST_F(Form1Test, TooltipsForEveryHeaderAndFilledSlot) {
  ASSERT_NE(form->Tips(), nullptr);
  ASSERT_NE(form->Tips()->Handle(), nullptr);
  EXPECT_EQ(form->Tips()->Count(), 5);
  form->Grid().AddFileToTab(0, u"C:\\Tools\\edit.exe");
  form->Grid().AddFileToTab(1, u"C:\\Tools\\other.exe");
  form->Grid().TabItems[3].Hint = u"";
  commands.typed = u"仕事用";
  form->Run(MenuCommand::Hint);  // any change of the strip renews the tools
  EXPECT_EQ(form->Tips()->Count(), 5 - 1 + 1) << "an empty hint has no tip; one filled slot";
}

TEST_F(Form1Test, ADisplayOfAnotherScaleResizesAndRetakesThePictures) {
  EXPECT_EQ(icons.sizesAsked.empty(), true);
  form->Grid().AddFileToTab(0, u"C:\\Tools\\edit.exe");
  EXPECT_EQ(icons.sizesAsked.back(), 32) << "the slot's physical size at 100 %";
  RECT suggested{200, 100, 200 + 482, 100 + 92};
  SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form->Canvas().Width(), 482);
  EXPECT_EQ(form->Canvas().Height(), 92);
  EXPECT_EQ(icons.sizesAsked.back(), 48) << "taken again at 48 px for 150 %";
  EXPECT_EQ(form->Grid().SlotImages[0][0].SlotPath, u"C:\\Tools\\edit.exe");
  EXPECT_EQ(form->Canvas().At(150, 60), 0xFF404040u) << "the page, now 1.5 times as high";
  EXPECT_EQ(form->Canvas().At(150, 91) >> 24, 0u);
  Press(WM_LBUTTONDOWN, MK_LBUTTON, 140, 15);  // header 1 spans 96..189 at 150 %
  EXPECT_EQ(form->ActiveTab(), 1);
}

// The menu's items in the dark look: drawn into a bitmap of the test's own.
TEST_F(Form1Test, MenuItemsAreDarkAndTheSelectedOneHighlighted) {
  MEASUREITEMSTRUCT m{};
  m.CtlType = ODT_MENU;
  m.itemData = static_cast<ULONG_PTR>(MenuCommand::Exit);
  ASSERT_TRUE(SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m)));
  EXPECT_GT(m.itemWidth, 25u + 16u);
  EXPECT_GE(m.itemHeight, 16u);

  const HDC screen = GetDC(nullptr);
  const win::UniqueDc dc(CreateCompatibleDC(screen));
  const win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, 200, 24));
  ReleaseDC(nullptr, screen);
  const win::SelectGuard selected(dc.get(), bitmap.get());
  for (const UINT state : {0u, static_cast<UINT>(ODS_SELECTED)}) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemData = static_cast<ULONG_PTR>(MenuCommand::Dash);
    d.itemState = state;
    d.hDC = dc.get();
    d.rcItem = {0, 0, 200, 24};
    ASSERT_TRUE(SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d)));
    const COLORREF expected = state ? RGB(0x93, 0x66, 0x39) : RGB(0x33, 0x33, 0x33);
    EXPECT_EQ(GetPixel(dc.get(), 10, 12), expected) << "the dashed item too";
    bool white = false;
    for (int x = 34; x < 150 && !white; ++x) {
      for (int y = 4; y < 20 && !white; ++y)
        white = GetPixel(dc.get(), x, y) == RGB(255, 255, 255);
    }
    EXPECT_TRUE(white) << "its caption";
  }
}

// Each item shows its image-list glyph in the glyph column; the dashed item has none.
TEST_F(Form1Test, MenuItemsCarryTheirGlyphs) {
  const HDC screen = GetDC(nullptr);
  const win::UniqueDc dc(CreateCompatibleDC(screen));
  const win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, 200, 24));
  ReleaseDC(nullptr, screen);
  const win::SelectGuard selected(dc.get(), bitmap.get());
  for (UINT item = 1; item <= 6; ++item) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemData = item;
    d.hDC = dc.get();
    d.rcItem = {0, 0, 200, 24};
    ASSERT_TRUE(SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d)));
    int drawn = 0;
    for (int x = 1; x < 26; ++x) {
      for (int y = 0; y < 24; ++y)
        drawn += GetPixel(dc.get(), x, y) != RGB(0x33, 0x33, 0x33);
    }
    if (item == static_cast<UINT>(MenuCommand::Dash))
      EXPECT_EQ(drawn, 0) << "the dashed item has no glyph";
    else
      EXPECT_GT(drawn, 30) << "item " << item;
  }
}

TEST_F(Form1Test, CommandsActOnTheCurrentTab) {
  Press(WM_LBUTTONDOWN, MK_LBUTTON, HeaderX(2), 10);
  commands.chosen = u"C:\\Tools\\edit.exe";
  form->Run(MenuCommand::Open);
  EXPECT_EQ(form->Grid().SlotImages[2][0].SlotPath, u"C:\\Tools\\edit.exe");
  commands.typed = u"";
  form->Run(MenuCommand::Hint);
  EXPECT_EQ(form->Grid().TabItems[2].Hint, u"");
  EXPECT_EQ(commands.prompt, u"タブ「アプリ 3」にヒントを設定");
  ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
  form->Run(MenuCommand::Dash);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  form->Run(MenuCommand::Mini);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

// A settings file that is there but cannot be read: the user is told at start, and the close
// leaves the file as it was instead of writing an empty strip over it.
TEST_F(Form1Test, AnUnreadableSettingsFileIsLeftAsItWas) {
  const std::u16string ini = kIni;
  files.files[ini] = Bytes{0xFF, 0xFE, 'x', 0};
  files.unreadable.insert(ini);
  form = Start();  // a start of the program on that file
  ASSERT_EQ(dialogs.notified.size(), 1u);
  EXPECT_EQ(dialogs.notified[0].substr(0, ini.size() + 10), ini + u" を読み込めません。");
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form->Handle(), nullptr) << "the program still ends";
  EXPECT_EQ(files.files.at(ini), (Bytes{0xFF, 0xFE, 'x', 0}));
  EXPECT_TRUE(dialogs.errors.empty());
  MSG msg;
  PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace
}  // namespace quorvel
