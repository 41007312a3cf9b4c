#include <windows.h>

#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "WinCommandDialogs.h"

namespace quorvel::win {
namespace {

struct Seen {
  std::wstring caption, prompt, startValue;
};

// The first visible dialog of `thread` within five seconds; null when none showed.
HWND WaitForDialog(DWORD thread) {
  for (int i = 0; i < 500; ++i) {
    HWND dlg = nullptr;
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
        reinterpret_cast<LPARAM>(&dlg));
    if (dlg)
      return dlg;
    Sleep(10);
  }
  return nullptr;
}

// Waits for the query of `thread`, notes it, types `text` (unless null) and presses `button`.
Seen Answer(DWORD thread, const wchar_t* text, int button) {
  Seen seen;
  const HWND dlg = WaitForDialog(thread);
  if (!dlg)
    return seen;
  wchar_t buffer[256] = {};
  GetWindowTextW(dlg, buffer, 256);
  seen.caption = buffer;
  GetDlgItemTextW(dlg, kQueryPromptId, buffer, 256);
  seen.prompt = buffer;
  GetDlgItemTextW(dlg, kQueryEditId, buffer, 256);
  seen.startValue = buffer;
  if (text)
    SetDlgItemTextW(dlg, kQueryEditId, text);
  PostMessageW(dlg, WM_COMMAND, button, 0);
  return seen;
}

TEST(InputQuery, OkGivesTheFieldEmptyIncludedAndCancelGivesNothing) {
  Win32CommandDialogs dialogs;
  const DWORD self = GetCurrentThreadId();
  struct Case {
    const wchar_t* typed;
    int button;
    std::optional<std::u16string> expected;
  };
  const Case cases[] = {
      {L"仕事用 \U0001F600", IDOK, u"仕事用 \U0001F600"},
      {L"", IDOK, u""},
      {nullptr, IDOK, u"ヒント 1"},
      {L"discarded", IDCANCEL, std::nullopt},
  };
  for (const Case& c : cases) {
    Seen seen;
    std::thread answer([&] { seen = Answer(self, c.typed, c.button); });
    const auto result =
        dialogs.InputQuery(u"Quorvel", u"タブ「アプリ 1」にヒントを設定", u"ヒント 1");
    answer.join();
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(seen.caption, L"Quorvel");
    EXPECT_EQ(seen.prompt, L"タブ「アプリ 1」にヒントを設定");
    EXPECT_EQ(seen.startValue, L"ヒント 1");
  }
}

// The system's open-file dialog (its DLL is loaded at the first use): the name typed into it
// comes back on Open, nothing on Cancel.
TEST(ChooseExecutable, OpenGivesTheTypedPathAndCancelGivesNothing) {
  wchar_t windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  const std::wstring notepad = std::wstring(windows) + L"\\notepad.exe";
  Win32CommandDialogs dialogs;
  const DWORD self = GetCurrentThreadId();
  for (const bool open : {false, true}) {
    SCOPED_TRACE(open ? "Open" : "Cancel");
    bool shown = false;
    std::thread answer([&] {
      const HWND dlg = WaitForDialog(self);
      shown = dlg != nullptr;
      if (!dlg)
        return;
      if (open)
        SetDlgItemTextW(dlg, cmb13, notepad.c_str());  // the file name field
      PostMessageW(dlg, WM_COMMAND, open ? IDOK : IDCANCEL, 0);
    });
    const auto chosen = dialogs.ChooseExecutable();
    answer.join();
    EXPECT_TRUE(shown);
    if (open)
      EXPECT_EQ(chosen, std::u16string(notepad.begin(), notepad.end()));
    else
      EXPECT_EQ(chosen, std::nullopt);
  }
}

}  // namespace
}  // namespace quorvel::win
