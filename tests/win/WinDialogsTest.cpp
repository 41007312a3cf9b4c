#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "WinDialogs.h"

namespace quorvel::win {
namespace {

struct Seen {
  std::wstring text;
  bool hasYes = false, hasNo = false, hasOk = false;
  int defaultId = 0;
};

// Finds the message box of `thread`, notes what it shows, and presses `button`.
Seen PressWhenShown(DWORD thread, int button) {
  Seen seen;
  for (int i = 0; i < 500; ++i) {
    HWND box = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND w, LPARAM out) -> BOOL {
          wchar_t cls[16];
          GetClassNameW(w, cls, 16);
          if (std::wstring(cls) != L"#32770" || !IsWindowVisible(w))
            return TRUE;
          *reinterpret_cast<HWND*>(out) = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (box) {
      wchar_t text[512] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 512);
      seen.text = text;
      seen.hasYes = GetDlgItem(box, IDYES) != nullptr;
      seen.hasNo = GetDlgItem(box, IDNO) != nullptr;
      seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
      // The default button carries BS_DEFPUSHBUTTON; DM_GETDEFID is not kept up by every system.
      for (int id : {IDOK, IDYES, IDNO}) {
        HWND b = GetDlgItem(box, id);
        if (b && (GetWindowLongPtrW(b, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON)
          seen.defaultId = id;
      }
      SendMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
      PostMessageW(box, WM_COMMAND, button, 0);
      return seen;
    }
    Sleep(10);
  }
  return seen;
}

TEST(WinDialogs, AskYesNoDefaultsToNoAndAnswersByTheButton) {
  Win32DialogPort dialogs;
  const DWORD self = GetCurrentThreadId();
  for (const auto& [button, expected] : {std::pair{IDYES, true}, std::pair{IDNO, false}}) {
    Seen seen;
    std::thread presser([&, b = button] { seen = PressWhenShown(self, b); });
    const bool answer = dialogs.AskYesNo(u"C:\\a.exe\r\nこのアプリを取り外しますが，いいですか？");
    presser.join();
    EXPECT_EQ(answer, expected);
    EXPECT_EQ(seen.text, L"C:\\a.exe\r\nこのアプリを取り外しますが，いいですか？");
    EXPECT_TRUE(seen.hasYes && seen.hasNo);
    EXPECT_EQ(seen.defaultId, IDNO);
  }
}

TEST(WinDialogs, NotifyHasTheSingleButtonOk) {
  Win32DialogPort dialogs;
  const DWORD self = GetCurrentThreadId();
  Seen seen;
  std::thread presser([&] { seen = PressWhenShown(self, IDOK); });
  EXPECT_TRUE(dialogs.Notify(u"ファイルが見つかりませんでした。"));
  presser.join();
  EXPECT_EQ(seen.text, L"ファイルが見つかりませんでした。");
  EXPECT_TRUE(seen.hasOk);
  EXPECT_FALSE(seen.hasYes || seen.hasNo);
}

}  // namespace
}  // namespace quorvel::win
