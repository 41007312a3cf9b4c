#include <gtest/gtest.h>

#include "Fakes.h"
#include "PopupCommands.h"

namespace quorvel {
namespace {

class PopupCommandsTest : public ::testing::Test {
 protected:
  test::FakeIconPort icons;
  test::FakeDialogs dialogs;
  SlotGrid grid{icons, dialogs};
  test::FakeCommandDialogs commands;
};

TEST_F(PopupCommandsTest, CaptionsNameTheCurrentTab) {
  grid.CurrentTab = 4;
  const PopupCaptions c = CaptionsFor(grid);
  EXPECT_EQ(c.hint, u"タブ「アプリ 5」にヒントを設定");
  EXPECT_EQ(c.open, u"ファイルを開いてタブ「アプリ 5」に追加");
}

TEST_F(PopupCommandsTest, OpenRegistersIntoTheTabCurrentWhenTheDialogCloses) {
  commands.chosen = u"C:\\Tools\\edit.exe";
  commands.whileOpen = [&] { grid.CurrentTab = 2; };
  pmOpenClick(grid, commands);
  EXPECT_EQ(grid.SlotImages[2][0].SlotPath, u"C:\\Tools\\edit.exe");
  commands.chosen.reset();
  pmOpenClick(grid, commands);
  EXPECT_EQ(grid.LastSlot[2], 0) << "a cancelled dialog changes nothing";
  for (int i = 0; i < 12; ++i) {
    commands.chosen = u"C:\\x.exe";
    pmOpenClick(grid, commands);
  }
  EXPECT_EQ(grid.LastSlot[2], 9);
  EXPECT_TRUE(dialogs.notified.empty()) << "a full tab drops the file silently";
}

TEST_F(PopupCommandsTest, HintQueryOkEmptyAndCancel) {
  grid.CurrentTab = 1;
  grid.TabItems[1].Hint = u"old";
  const std::pair<std::optional<std::u16string>, std::u16string> cases[] = {
      {u"仕事用", u"仕事用"}, {u"", u""}, {std::nullopt, u""}};
  for (const auto& [typed, expected] : cases) {
    const std::u16string before = grid.TabItems[1].Hint;
    commands.typed = typed;
    pmHintClick(grid, commands);
    EXPECT_EQ(commands.caption, u"Quorvel");
    EXPECT_EQ(commands.prompt, u"タブ「アプリ 2」にヒントを設定");
    EXPECT_EQ(commands.startValue, before);
    EXPECT_EQ(grid.TabItems[1].Hint, expected);
  }
  EXPECT_EQ(grid.TabItems[0].Hint, u"ヒント 1");
}

}  // namespace
}  // namespace quorvel
