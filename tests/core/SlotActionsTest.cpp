#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Decimal.h"
#include "Fakes.h"
#include "SlotActions.h"

namespace quorvel {
namespace {

using test::FakeDialogs;
using test::FakeIconPort;
using test::FakeShell;
using Paths = std::vector<std::u16string>;

std::u16string Exe(int n) {
  return u"C:\\Program Files\\App " + Decimal(n) + u"\\run.exe";
}

Paths Exes(std::initializer_list<int> numbers) {
  Paths paths;
  for (int n : numbers)
    paths.push_back(Exe(n));
  return paths;
}

// A launcher on scripted ports, with tabs 0 and 1 each holding Exe(0), Exe(1), Exe(2). Built
// afresh for every case of a table.
struct Bench {
  FakeIconPort icons;
  FakeDialogs dialogs;
  FakeShell shell;
  SlotGrid grid{icons, dialogs};
  SlotActions actions{grid, shell, dialogs};

  Bench() {
    for (int tab : {0, 1}) {
      for (int i = 0; i < 3; ++i)
        grid.AddFileToTab(tab, Exe(i));
    }
  }

  Paths Row(int tab) const {
    Paths paths;
    for (int s = 0; s <= grid.LastSlot[tab]; ++s)
      paths.push_back(grid.SlotImages[tab][s].SlotPath);
    return paths;
  }
};

TEST(LaunchSlot, AsksTheShellToOpenWithEmptyParametersAndDirectory) {
  Bench b;
  b.actions.LaunchSlot(Exe(1), 1);
  ASSERT_EQ(b.shell.calls.size(), 1u);
  const FakeShell::Call& call = b.shell.calls[0];
  EXPECT_EQ(call.verb, u"OPEN");
  EXPECT_EQ(call.file, Exe(1));
  EXPECT_EQ(call.parameters, u"");
  ASSERT_TRUE(call.directory.has_value()) << "an empty string, not a null pointer";
  EXPECT_EQ(*call.directory, u"");
}

TEST(LaunchSlot, OnlyALowWordBelow32IsAFailure) {
  struct Case {
    std::uintptr_t result;
    const char16_t* text;  // the middle line of the message; null: a success
  };
  const Case cases[] = {
      {32, nullptr},
      {33, nullptr},
      {0x10020, nullptr},  // low 16 bits 32
      {0x100, nullptr},    // a low byte below 32 does not count
      {31,
       u"指定されたファイルタイプに対する関連付けがないか，または，あるファイルタイプに対して指定さ"
       u"れた動作を実行できません。"},
      {2, u"ファイルが見つかりませんでした。"},
      {0x10002, u"ファイルが見つかりませんでした。"},
      {0x20000,
       u"システムメモリが足りない，実行可能ファイルが壊れていた，または再配置が無効，の"
       u"いずれかです。"},
      {7, u"何らかのエラーです。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "result " << c.result);
    Bench b;
    b.shell.result = c.result;
    b.actions.LaunchSlot(Exe(1), 1);
    if (!c.text) {
      EXPECT_TRUE(b.dialogs.notified.empty());
      EXPECT_EQ(b.Row(0), Exes({0, 1, 2}));
      continue;
    }
    ASSERT_EQ(b.dialogs.notified.size(), 1u);
    EXPECT_EQ(b.dialogs.notified[0], Exe(1) + u"\r\n" + c.text + u"\r\n" +
                                         u"よって、このファイルアイコンを登録から外します。");
    EXPECT_EQ(b.Row(0), Exes({0, 2})) << "the slot is gone and the later ones moved left";
    EXPECT_EQ(b.Row(1), Exes({0, 1, 2}));
  }
}

TEST(LaunchSlot, RemovesAfterTheMessageClosesWhateverItReturned) {
  for (bool notifyResult : {true, false}) {
    SCOPED_TRACE(notifyResult);
    Bench b;
    b.shell.result = 2;
    b.dialogs.notifyResult = notifyResult;
    Paths whileShown;
    b.dialogs.duringDialog = [&] { whileShown = b.Row(0); };
    b.actions.LaunchSlot(Exe(0), 0);
    EXPECT_EQ(whileShown, Exes({0, 1, 2}));
    EXPECT_EQ(b.Row(0), Exes({1, 2}));
  }
}

TEST(AskRemoveSlot, AsksWithThePathAndRemovesOnlyOnYes) {
  for (bool yes : {false, true}) {
    SCOPED_TRACE(yes);
    Bench b;
    b.dialogs.answerYes = yes;
    Paths whileShown;
    b.dialogs.duringDialog = [&] { whileShown = b.Row(0); };
    b.actions.AskRemoveSlot(Exe(0), 0);
    ASSERT_EQ(b.dialogs.asked.size(), 1u);
    EXPECT_EQ(b.dialogs.asked[0], Exe(0) + u"\r\n" + u"このアプリを取り外しますが，いいですか？");
    EXPECT_EQ(whileShown, Exes({0, 1, 2})) << "nothing moves before the answer";
    EXPECT_EQ(b.Row(0), yes ? Exes({1, 2}) : Exes({0, 1, 2}));
    EXPECT_TRUE(b.shell.calls.empty());
  }
}

TEST(AskRemoveSlot, RemovingTheOnlyRegistrationEmptiesTheTab) {
  Bench b;
  b.dialogs.answerYes = true;
  for (int i = 0; i < 3; ++i)
    b.actions.AskRemoveSlot(Exe(i), 0);
  EXPECT_EQ(b.grid.LastSlot[0], -1);
  EXPECT_FALSE(b.grid.SlotImages[0][0].Filled());
}

// The question and the launch-failure message run a nested message loop: the user may switch
// tabs and the tray menu may register or remove. The answer then applies only if the slot still
// holds what the message named.
TEST(SlotActions, RemovalTakesOnlyTheSlotItsMessageNamed) {
  struct Meanwhile {
    const char* name;
    std::function<void(SlotGrid&)> change;
    Paths tab0, tab1;  // the rows afterwards
  };
  const Meanwhile cases[] = {
      {"nothing", [](SlotGrid&) {}, Exes({0, 2}), Exes({0, 1, 2})},
      {"another file registered", [](SlotGrid& g) { g.AddFileToTab(0, Exe(5)); }, Exes({0, 2, 5}),
       Exes({0, 1, 2})},
      {"tab switched", [](SlotGrid& g) { g.CurrentTab = 1; }, Exes({0, 1, 2}), Exes({0, 1, 2})},
      {"tab switched and back",
       [](SlotGrid& g) {
         g.CurrentTab = 1;
         g.CurrentTab = 0;
       },
       Exes({0, 2}), Exes({0, 1, 2})},
      {"an earlier slot removed", [](SlotGrid& g) { g.RemoveSlot(0); }, Exes({1, 2}),
       Exes({0, 1, 2})},
      {"the slot itself removed", [](SlotGrid& g) { g.RemoveSlot(1); }, Exes({0, 2}),
       Exes({0, 1, 2})},
      {"the tab emptied",
       [](SlotGrid& g) {
         while (g.LastSlot[0] >= 0)
           g.RemoveSlot(0);
       },
       {},
       Exes({0, 1, 2})},
  };
  const std::pair<const char*, std::function<void(Bench&)>> presses[] = {
      {"right press, Yes", [](Bench& b) { b.actions.AskRemoveSlot(Exe(1), 1); }},
      {"failed launch", [](Bench& b) { b.actions.LaunchSlot(Exe(1), 1); }},
  };
  for (const auto& [pressName, press] : presses) {
    for (const Meanwhile& m : cases) {
      SCOPED_TRACE(testing::Message() << pressName << ", meanwhile " << m.name);
      Bench b;
      b.dialogs.answerYes = true;
      b.shell.result = 2;
      b.dialogs.duringDialog = [&] { m.change(b.grid); };
      press(b);
      EXPECT_EQ(b.Row(0), m.tab0);
      EXPECT_EQ(b.Row(1), m.tab1);
    }
  }
}

TEST(OpenSlotFolder, StartsExplorerWithTheFolderAsTheWholeParameterString) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"C:\\edit.exe", u"C:\\"},
      {u"C:\\Tools\\edit.exe", u"C:\\Tools"},
      {u"C:\\Program Files\\My App\\a.exe", u"C:\\Program Files\\My App"},
      {u"\\\\server\\share\\app.exe", u"\\\\server\\share"},
      {u"edit.exe", u""},
      {u"D:\\ツール \U0001F600\\a.exe", u"D:\\ツール \U0001F600"},
      // A comma would make Explorer read the rest as a switch: quoted, and so one path.
      {u"C:\\Tools,/select,x\\a.exe", u"\"C:\\Tools,/select,x\""},
      {u"C:\\a,b\\c.exe", u"\"C:\\a,b\""},
  };
  for (const auto& [path, folder] : cases) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    Bench b;
    b.actions.OpenSlotFolder(path);
    ASSERT_EQ(b.shell.calls.size(), 1u);
    const FakeShell::Call& call = b.shell.calls[0];
    EXPECT_EQ(call.verb, u"open");
    EXPECT_EQ(call.file, u"explorer.exe");
    EXPECT_EQ(call.parameters, folder) << "unquoted unless a comma needs it";
    EXPECT_FALSE(call.directory.has_value()) << "a null directory";
    EXPECT_TRUE(b.dialogs.notified.empty() && b.dialogs.errors.empty());
    EXPECT_EQ(b.Row(0), Exes({0, 1, 2}));
  }
}

TEST(OpenSlotFolder, AMalformedPathIsReportedAndStartsNothing) {
  for (const std::u16string path : {u"C:\\bad|name\\a.exe", u"   ", u"C:\\a\tb\\c.exe"}) {
    Bench b;
    b.shell.result = 2;  // would remove, had anything launched
    b.actions.OpenSlotFolder(path);
    EXPECT_TRUE(b.shell.calls.empty());
    ASSERT_EQ(b.dialogs.errors.size(), 1u);
    const std::u16string& message = b.dialogs.errors[0];
    EXPECT_EQ(message.substr(0, path.size() + 2), path + u"\r\n") << "the path on the first line";
    EXPECT_GT(message.size(), path.size() + 2) << "and the reason after it";
    EXPECT_TRUE(b.dialogs.notified.empty());
    EXPECT_EQ(b.Row(0), Exes({0, 1, 2}));
  }
}

}  // namespace
}  // namespace quorvel
