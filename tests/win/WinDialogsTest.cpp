#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <string>
#include <vector>

#include "Handles.h"
#include "Utf16.h"
#include "WinDialogs.h"

namespace {

using quorvel::win::Win32DialogPort;

// What a test saw of a message box before pressing one of its buttons.
struct SeenBox {
  bool found = false;
  std::wstring caption, text;
  HWND owner = nullptr;
  bool topmost = false;
  std::vector<int> buttons;
  int defaultButton = 0;
  HICON icon = nullptr;
};

// Wine leaves WS_EX_TOPMOST off a box shown with MB_TOPMOST.
bool OnWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM result) {
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (std::wstring(cls) != L"#32770" || !IsWindowVisible(hwnd))
    return TRUE;
  *reinterpret_cast<HWND*>(result) = hwnd;
  return FALSE;
}

BOOL CALLBACK FindIcon(HWND child, LPARAM result) {
  if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
    return TRUE;
  *reinterpret_cast<HICON*>(result) =
      reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
  return FALSE;
}

std::wstring TextOf(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), int(text.size()))));
  return text;
}

// On a helper thread: waits for the message box that `thread` shows, records it, presses button.
std::future<SeenBox> AnswerBox(DWORD thread, int button) {
  return std::async(std::launch::async, [thread, button] {
    SeenBox seen;
    for (int attempt = 0; attempt < 2000 && !seen.found; ++attempt) {
      HWND box = nullptr;
      EnumThreadWindows(thread, &FindDialog, reinterpret_cast<LPARAM>(&box));
      if (!box) {
        Sleep(5);
        continue;
      }
      seen.found = true;
      seen.caption = TextOf(box);
      seen.text = TextOf(GetDlgItem(box, 0xFFFF));
      seen.owner = GetWindow(box, GW_OWNER);
      seen.topmost = (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        const HWND b = GetDlgItem(box, id);
        if (!b) {
          continue;
        }
        seen.buttons.push_back(id);
        // Wine's DM_GETDEFID keeps answering IDOK; the button's own style tells the default.
        if ((GetWindowLongW(b, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
          seen.defaultButton = id;
        }
      }
      EnumChildWindows(box, &FindIcon, reinterpret_cast<LPARAM>(&seen.icon));
      SendMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
    }
    return seen;
  });
}

TEST(WinDialogs, MessageBoxesShowTheTextAndAnswerWithTheButtonPressed) {
  quorvel::win::UniqueWindow owner;
  // The owner is asked for when a box opens, so it may be created after the port.
  Win32DialogPort dialogs([&owner] { return owner.get(); });
  owner.reset(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr));
  ASSERT_TRUE(owner);
  const std::u16string message =
      u"C:\\ツール\\app\U0001F600.exe\r\nこのアプリを取り外しますが，いいですか？";

  struct Case {
    const char* label;
    std::function<bool()> show;
    int press;
    bool result;
    std::vector<int> buttons;
    int defaultButton;
    const wchar_t* icon;
  };
  const auto notify = [&] { return dialogs.Notify(message); };
  const auto ask = [&] { return dialogs.AskYesNo(message); };
  const auto error = [&] {
    dialogs.ShowError(message);
    return true;
  };
  const Case cases[] = {
      {"notify", notify, IDOK, true, {IDOK}, IDOK, IDI_QUESTION},
      {"ask, yes", ask, IDYES, true, {IDYES, IDNO}, IDNO, IDI_QUESTION},
      {"ask, no", ask, IDNO, false, {IDYES, IDNO}, IDNO, IDI_QUESTION},
      {"error", error, IDOK, true, {IDOK}, IDOK, IDI_ERROR},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    auto answer = AnswerBox(GetCurrentThreadId(), c.press);
    const bool result = c.show();
    const SeenBox seen = answer.get();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(seen.caption, L"Quorvel");
    EXPECT_EQ(seen.text, quorvel::win::ToWide(message));
    EXPECT_EQ(seen.owner, owner.get());
    if (!OnWine()) {
      EXPECT_TRUE(seen.topmost);
    }
    EXPECT_EQ(seen.buttons, c.buttons);
    EXPECT_EQ(seen.defaultButton, c.defaultButton);
    EXPECT_EQ(seen.icon, LoadIconW(nullptr, c.icon));
  }
}

TEST(WinDialogs, WithoutOwnerTheBoxStandsAlone) {
  Win32DialogPort dialogs;
  auto answer = AnswerBox(GetCurrentThreadId(), IDOK);
  EXPECT_TRUE(dialogs.Notify(u"text"));
  const SeenBox seen = answer.get();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.owner, nullptr);
}

}  // namespace
