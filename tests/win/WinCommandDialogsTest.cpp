#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "WinCommandDialogs.h"

namespace quorvel::win {
namespace {

struct Seen {
  std::wstring caption, prompt, startValue;
};

// Waits for the query of `thread`, notes it, types `text` (unless null) and presses `button`.
Seen Answer(DWORD thread, const wchar_t* text, int button) {
  Seen seen;
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
    if (dlg) {
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
    Sleep(10);
  }
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

}  // namespace
}  // namespace quorvel::win
