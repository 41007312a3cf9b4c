// The notification-area icon in-process: what it gives the shell, which callbacks act, and
// that nothing it does while a dialog is open harms the strip or its registrations.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "StripFixture.h"
#include "TrayCallback.h"

namespace quorvel {
namespace {

using namespace quorvel::test;

class TrayTest : public StripFixture {
 protected:
  LRESULT Tray(UINT msg, WPARAM wp, LPARAM lp) {
    return SendMessageW(form->Handle() ? form->TrayWindow() : nullptr, msg, wp, lp);
  }
  // Asks the shell to renew the icon: it answers yes only for an icon it holds.
  bool IconExists() const {
    NOTIFYICONDATAW probe = form->NotifyIconData();
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
  }
  bool StripVisible() const { return IsWindowVisible(form->Handle()) != FALSE; }
  void Pump() {
    MSG msg;
    for (int i = 0; i < 20; ++i) {
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
          continue;  // the close of a test's strip posts one
        DispatchMessageW(&msg);
      }
      Sleep(5);
    }
  }
};

TEST_F(TrayTest, TheIconIsAddedWithTheStripsSmallIconAndTip) {
  const NOTIFYICONDATAW& d = form->NotifyIconData();
  EXPECT_EQ(d.cbSize, 976u);
  EXPECT_EQ(d.hWnd, form->TrayWindow());
  EXPECT_EQ(d.uID, 1u);
  EXPECT_EQ(d.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(d.uCallbackMessage, 0x401u);
  EXPECT_EQ(d.hIcon, reinterpret_cast<HICON>(GetClassLongPtrW(form->Handle(), GCLP_HICONSM)));
  EXPECT_STREQ(d.szTip, L"Quorvel");
  EXPECT_TRUE(IconExists());

  // A hidden top-level window, so that broadcasts reach it.
  const HWND tray = form->TrayWindow();
  ASSERT_NE(tray, nullptr);
  EXPECT_FALSE(IsWindowVisible(tray));
  EXPECT_EQ(GetAncestor(tray, GA_PARENT), GetDesktopWindow());
  EXPECT_TRUE(GetWindowLongPtrW(tray, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  for (const HWND w : {form->Handle(), tray})
    EXPECT_FALSE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "no taskbar button";
}

TEST_F(TrayTest, OnlyTheIconsPressesAct) {
  ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
  struct Case {
    const char* what;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
  };
  const Case inert[] = {
      {"left release", TRAY_CALLBACK, 1, WM_LBUTTONUP},
      {"double click", TRAY_CALLBACK, 1, WM_LBUTTONDBLCLK},
      {"middle press", TRAY_CALLBACK, 1, WM_MBUTTONDOWN},
      {"mouse move", TRAY_CALLBACK, 1, WM_MOUSEMOVE},
      {"another icon", TRAY_CALLBACK, 7, WM_LBUTTONDOWN},
      {"another message", WM_USER + 2, 1, WM_LBUTTONDOWN},
      {"a broadcast's lParam", WM_SETTINGCHANGE, 0, WM_LBUTTONDOWN},
  };
  for (const Case& c : inert) {
    EXPECT_EQ(Tray(c.msg, c.wp, c.lp), DefWindowProcW(form->TrayWindow(), c.msg, c.wp, c.lp))
        << c.what;
    EXPECT_TRUE(StripVisible()) << c.what;
  }
  EXPECT_EQ(Tray(TRAY_CALLBACK, 1, WM_LBUTTONDOWN), 0);
  EXPECT_FALSE(StripVisible());
  Tray(TRAY_CALLBACK, 1, static_cast<LPARAM>(0x0000'0001'0000'0000ll | WM_LBUTTONDOWN));
  EXPECT_TRUE(StripVisible()) << "the upper half of lParam is not looked at";
}

TEST_F(TrayTest, ARightPressOpensTheMenuForTheCurrentTabAlsoWhileHidden) {
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2 + 62 * 3 + 31, 10));
  ShowWindow(form->Handle(), SW_HIDE);
  EXPECT_TRUE(WhileMenuOpen([&] { Tray(TRAY_CALLBACK, 1, WM_RBUTTONDOWN); }));
  EXPECT_EQ(form->Caption(MenuCommand::Open), u"ファイルを開いてタブ「アプリ 4」に追加");
  EXPECT_FALSE(StripVisible());
}

TEST_F(TrayTest, TheIconComesBackWhenTheTaskbarIsCreatedAgain) {
  NOTIFYICONDATAW gone = form->NotifyIconData();
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));  // as a restarting shell loses it
  ASSERT_FALSE(IconExists());
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  Pump();
  EXPECT_TRUE(IconExists());
  Tray(RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(IconExists()) << "a shell that kept the icon has it renewed";
}

TEST_F(TrayTest, TheIconGoesWithTheStrip) {
  NOTIFYICONDATAW probe = form->NotifyIconData();
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form->Handle(), nullptr);
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
  MSG msg;
  PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// While the removal question is open: the icon's presses neither hide the strip nor open the
// menu, a close waits for the answer, and the answer removes the slot it named.
TEST_F(TrayTest, NothingStartsWhileAQuestionIsOpen) {
  ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
  form->Grid().AddFileToTab(0, u"C:\\Tools\\a.exe");
  form->Grid().AddFileToTab(0, u"C:\\Tools\\b.exe");
  bool menuOpened = false, closedDuring = true;
  dialogs.answerYes = true;
  dialogs.duringDialog = [&] {
    EXPECT_TRUE(form->Busy());
    Tray(TRAY_CALLBACK, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(StripVisible());
    menuOpened = WhileMenuOpen([&] { Tray(TRAY_CALLBACK, 1, WM_RBUTTONDOWN); });
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    closedDuring = form->Handle() == nullptr;
    SendMessageW(form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(18, 42));  // re-entry
  };
  SendMessageW(form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(18 + 32, 42));
  EXPECT_FALSE(menuOpened);
  EXPECT_FALSE(closedDuring);
  ASSERT_EQ(dialogs.asked.size(), 1u) << "no second question";
  EXPECT_EQ(form->Grid().SlotImages[0][0].SlotPath, u"C:\\Tools\\a.exe");
  EXPECT_FALSE(form->Grid().SlotImages[0][1].Filled());
  Pump();  // the close asked for during the question
  EXPECT_EQ(form->Handle(), nullptr);
  ASSERT_EQ(files.files.count(kIni), 1u);
  const Bytes& saved = files.files.at(kIni);
  const std::u16string text(reinterpret_cast<const char16_t*>(saved.data() + 2),
                            (saved.size() - 2) / 2);
  EXPECT_NE(text.find(u"name0=C:\\Tools\\a.exe"), std::u16string::npos);
  EXPECT_EQ(text.find(u"b.exe"), std::u16string::npos);
}

TEST_F(TrayTest, TheEndOfTheSessionWritesTheSettings) {
  form->Grid().AddFileToTab(2, u"C:\\Tools\\a.exe");
  EXPECT_TRUE(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
  ASSERT_EQ(files.files.count(kIni), 1u);
  EXPECT_NE(form->Handle(), nullptr) << "the session, not the program, decides the end";
  files.failWrites = true;
  EXPECT_TRUE(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0));
  EXPECT_EQ(dialogs.errors.size(), 1u) << "a failed write is told";
}

}  // namespace
}  // namespace quorvel
