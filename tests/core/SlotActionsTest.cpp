#include <gtest/gtest.h>

#include "Fakes.h"
#include "SlotActions.h"

namespace quorvel {
namespace {

using test::FakeDialogs;
using test::FakeIconPort;
using test::FakeShell;

constexpr char16_t kRemoved[] = u"よって、このファイルアイコンを登録から外します。";

TEST(ShellErrorText, EveryListedCodeHasItsTextAndTheRestTheDefault) {
  const std::u16string other = u"何らかのエラーです。";
  const std::map<int, std::u16string> listed = {
      {0,
       u"システムメモリが足りない，実行可能ファイルが壊れていた，または再配置が無効，のいずれかです"
       u"。"},
      {2, u"ファイルが見つかりませんでした。"},
      {3, u"パスが見つかりませんでした。"},
      {5,
       u"タスクへのダイナミックリンクを実行しようとしました。または，共有違反やネットワーク保護エラ"
       u"ーが発生しました。"},
      {6, u"各タスクに対してライブラリが別々のデータセグメントを要求しました。"},
      {8, u"メモリ不足のためアプリケーションを起動できませんでした。"},
      {10, u"Windows のバージョンが正しくありません。"},
      {11,
       u"実行可能ファイルが無効でした。Windows のアプリケーションでないか，.EXE "
       u"イメージにエラーがあったかのいずれかです。"},
      {12, u"このアプリケーションは，異なるオペレーティングシステム用に設計されています。"},
      {13,
       u"MS-DOS 4.0 用に設計されているアプリケーションです。PC-9800 "
       u"シリーズではこの値は返しません。"},
      {14, u"実行可能ファイルのタイプが不明です。"},
      {15,
       u"リアルモードのアプリケーション (以前のバージョンの Windows 用に開発されたもの) "
       u"をロードしようとしました。"},
      {16,
       u"読み取り専用としてマークされていない複数のデータセグメントを含む実行可能ファイルから，2 "
       u"番目のインスタンスをロードしようとしました。"},
      {19,
       u"圧縮された実行可能ファイルをロードしようとしました。ロードする前にファイルを展開しなければ"
       u"なりません。"},
      {20,
       u"ダイナミックリンクライブラリ (DLL) "
       u"ファイルが無効です。このアプリケーションを実行するために必要な DLL の 1 "
       u"つが壊れています。"},
      {21, u"このアプリケーションには，32 ビット版の Windows が必要です。"},
      {31,
       u"指定されたファイルタイプに対する関連付けがないか，または，あるファイルタイプに対して指定さ"
       u"れた動作を実行できません。"},
  };
  for (int code = 0; code < 40; ++code) {
    const auto it = listed.find(code);
    EXPECT_EQ(ShellErrorText(static_cast<std::uint16_t>(code)),
              it == listed.end() ? other : it->second)
        << "code " << code;
  }
  EXPECT_EQ(ShellErrorText(65535), other);
}

class SlotActionsTest : public ::testing::Test {
 protected:
  FakeIconPort icons;
  FakeDialogs dialogs;
  FakeShell shell;
  SlotGrid grid{icons, dialogs};
  SlotActions actions{grid, shell, dialogs};

  void Reset() {
    for (int t = 0; t < kTabCount; ++t) {
      grid.CurrentTab = t;
      while (grid.LastSlot[t] >= 0)
        grid.RemoveSlot(0);
    }
    grid.CurrentTab = 0;
  }
  void Fill(int tab, int count) {
    for (int i = 0; i < count; ++i)
      grid.AddFileToTab(tab, Path(i));
  }
  static std::u16string Path(int i) {
    return u"C:\\Program Files\\App " + std::u16string(1, u'0' + i) + u"\\run.exe";
  }
};

TEST_F(SlotActionsTest, LaunchCallsTheShellWithEmptyParametersAndDirectory) {
  Fill(0, 1);
  actions.LaunchSlot(Path(0), 0);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].verb, u"OPEN");
  EXPECT_EQ(shell.calls[0].file, Path(0));
  EXPECT_EQ(shell.calls[0].parameters, u"");
  EXPECT_EQ(shell.calls[0].directory, std::u16string()) << "empty string, not a null pointer";
}

TEST_F(SlotActionsTest, LaunchOutcomesByShellResult) {
  struct Case {
    std::uintptr_t result;
    bool fails;
    std::u16string text;
  };
  const Case cases[] = {
      {32, false, u""},
      {33, false, u""},
      {0x10020, false, u""},  // only the low 16 bits count: 32
      {31, true, ShellErrorText(31)},
      {2, true, u"ファイルが見つかりませんでした。"},
      {0x10002, true, u"ファイルが見つかりませんでした。"},
      {0, true, ShellErrorText(0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result);
    Reset();
    dialogs.notified.clear();
    Fill(0, 3);
    shell.result = c.result;
    actions.LaunchSlot(Path(1), 1);
    if (!c.fails) {
      EXPECT_TRUE(dialogs.notified.empty());
      EXPECT_EQ(grid.LastSlot[0], 2);
      continue;
    }
    ASSERT_EQ(dialogs.notified.size(), 1u);
    EXPECT_EQ(dialogs.notified[0], Path(1) + u"\r\n" + c.text + u"\r\n" + kRemoved);
    EXPECT_EQ(grid.LastSlot[0], 1);
    EXPECT_EQ(grid.SlotImages[0][1].SlotPath, Path(2)) << "later slots move left";
  }
}

TEST_F(SlotActionsTest, RemovalAsksAndRemovesOnlyOnYes) {
  Fill(0, 2);
  dialogs.answerYes = false;
  actions.AskRemoveSlot(Path(0), 0);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0], Path(0) + u"\r\nこのアプリを取り外しますが，いいですか？");
  EXPECT_EQ(grid.LastSlot[0], 1);

  dialogs.answerYes = true;
  actions.AskRemoveSlot(Path(0), 0);
  EXPECT_EQ(grid.LastSlot[0], 0);
  EXPECT_EQ(grid.SlotImages[0][0].SlotPath, Path(1));
  actions.AskRemoveSlot(Path(1), 0);
  EXPECT_EQ(grid.LastSlot[0], -1);
}

// While a question is open the user can switch tabs or another command can move the slots; the
// answer then must not take a slot the question did not name.
TEST_F(SlotActionsTest, RemovalTakesOnlyTheSlotItsQuestionNamed) {
  struct Meanwhile {
    const char* name;
    std::function<void(SlotGrid&)> change;
    std::vector<int> tab0After;  // the registrations of tab 0 afterwards
  };
  const Meanwhile changes[] = {
      {"tab switched", [](SlotGrid& g) { g.CurrentTab = 1; }, {0, 1, 2}},
      {"slot moved", [](SlotGrid& g) { g.RemoveSlot(0); }, {1, 2}},
  };
  const std::function<void(SlotActions&)> presses[] = {
      [](SlotActions& a) { a.AskRemoveSlot(Path(1), 1); },
      [](SlotActions& a) { a.LaunchSlot(Path(1), 1); },
  };
  dialogs.answerYes = true;
  shell.result = 2;
  for (const Meanwhile& m : changes) {
    for (const auto& press : presses) {
      SCOPED_TRACE(m.name);
      Reset();
      Fill(0, 3);
      Fill(1, 3);
      dialogs.duringDialog = [&] { m.change(grid); };
      press(actions);
      dialogs.duringDialog = nullptr;
      ASSERT_EQ(grid.LastSlot[0], static_cast<int>(m.tab0After.size()) - 1);
      for (std::size_t s = 0; s < m.tab0After.size(); ++s) {
        EXPECT_EQ(grid.SlotImages[0][s].SlotPath, Path(m.tab0After[s]));
      }
      EXPECT_EQ(grid.LastSlot[1], 2) << "the other tab is never touched";
    }
  }
}

TEST_F(SlotActionsTest, OpenFolderStartsExplorerWithTheFolderUnquoted) {
  struct Case {
    std::u16string path, folder;
  };
  const Case cases[] = {
      {u"C:\\edit.exe", u"C:\\"},
      {u"C:\\Program Files\\My App\\a.exe", u"C:\\Program Files\\My App"},
      {u"edit.exe", u""},
  };
  for (const Case& c : cases) {
    shell.calls.clear();
    actions.OpenSlotFolder(c.path);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].verb, u"open");
    EXPECT_EQ(shell.calls[0].file, u"explorer.exe");
    EXPECT_EQ(shell.calls[0].parameters, c.folder);
    EXPECT_FALSE(shell.calls[0].directory.has_value()) << "a null directory";
  }
  EXPECT_TRUE(dialogs.notified.empty());
}

TEST_F(SlotActionsTest, OpenFolderOfAMalformedPathReportsAndStartsNothing) {
  Fill(0, 1);
  actions.OpenSlotFolder(u"C:\\bad|name\\a.exe");
  EXPECT_TRUE(shell.calls.empty());
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0].rfind(u"C:\\bad|name\\a.exe\r\n", 0), 0u);
  EXPECT_EQ(grid.LastSlot[0], 0);
}

}  // namespace
}  // namespace quorvel
