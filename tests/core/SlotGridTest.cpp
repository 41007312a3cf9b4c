#include <gtest/gtest.h>

#include "Fakes.h"
#include "SlotGrid.h"

namespace quorvel {
namespace {

using test::FakeDialogs;
using test::FakeIconPort;
using test::IconOutcome;

std::u16string Exe(int n) {
  return u"C:\\Tools\\app" + std::u16string(1, u'0' + n) + u".exe";
}

class SlotGridTest : public ::testing::Test {
 protected:
  FakeIconPort icons;
  FakeDialogs dialogs;
  SlotGrid grid{icons, dialogs};

  // The grid's rules that must hold after every operation.
  void ExpectInvariants() {
    for (int t = 0; t < kTabCount; ++t) {
      ASSERT_GE(grid.LastSlot[t], -1);
      ASSERT_LE(grid.LastSlot[t], 9);
      for (int s = 0; s < kSlotsPerTab; ++s) {
        const Slot& slot = grid.SlotImages[t][s];
        EXPECT_EQ(slot.Filled(), s <= grid.LastSlot[t]) << "tab " << t << " slot " << s;
        EXPECT_EQ(FakeIconPort::PathOf(slot.Picture), slot.SlotPath) << "picture and path apart";
      }
    }
    EXPECT_EQ(icons.liveIcons, 0) << "an icon was not released";
  }
};

TEST_F(SlotGridTest, StartsEmptyWithNamedTabs) {
  EXPECT_EQ(grid.TabItems[0].Text, u"アプリ 1");
  EXPECT_EQ(grid.TabItems[4].Text, u"アプリ 5");
  EXPECT_EQ(grid.TabItems[4].Tag, 4);
  EXPECT_EQ(grid.SlotImages[2][10].Tag, 10);
  EXPECT_EQ(grid.CurrentTab, 0);
  ExpectInvariants();
}

TEST_F(SlotGridTest, TenFilesFillTheTabAndTheEleventhIsDroppedSilently) {
  for (int i = 0; i < 10; ++i)
    grid.AddFileToTab(1, Exe(i));
  grid.AddFileToTab(1, u"C:\\extra.exe");
  EXPECT_EQ(grid.LastSlot[1], 9);
  EXPECT_EQ(grid.SlotImages[1][9].SlotPath, Exe(9));
  EXPECT_FALSE(grid.SlotImages[1][10].Filled());
  EXPECT_TRUE(dialogs.notified.empty());
  ExpectInvariants();
}

TEST_F(SlotGridTest, SamePathMayFillSeveralSlots) {
  grid.AddFileToTab(0, Exe(1));
  grid.AddFileToTab(0, Exe(1));
  EXPECT_EQ(grid.SlotImages[0][0].SlotPath, grid.SlotImages[0][1].SlotPath);
  ExpectInvariants();
}

// Every way of failing to take an icon is reported and undone alike.
class SlotGridFailureTest : public SlotGridTest,
                            public ::testing::WithParamInterface<IconOutcome> {};

TEST_P(SlotGridFailureTest, FailedIconIsReportedAndUndone) {
  for (int prefilled : {0, 3}) {
    SCOPED_TRACE(prefilled);
    const int tab = prefilled ? 2 : 3;
    for (int i = 0; i < prefilled; ++i)
      grid.AddFileToTab(tab, Exe(i));
    const std::u16string bad = u"C:\\docs\\readme.txt";
    icons.outcomes[bad] = GetParam();
    int lastSlotDuringMessage = -99;
    dialogs.duringDialog = [&] { lastSlotDuringMessage = grid.LastSlot[tab]; };
    dialogs.notified.clear();

    grid.AddFileToTab(tab, bad);

    ASSERT_EQ(dialogs.notified.size(), 1u);
    EXPECT_EQ(dialogs.notified[0], bad +
                                       u"\r\nのファイルからアイコンが取り出せませんでした。\r\n"
                                       u"よって、このファイルアイコンを登録から外します。");
    EXPECT_EQ(lastSlotDuringMessage, prefilled) << "the attempt holds the slot while shown";
    EXPECT_EQ(grid.LastSlot[tab], prefilled - 1);
    EXPECT_FALSE(grid.SlotImages[tab][prefilled].Filled());
    dialogs.duringDialog = nullptr;
    ExpectInvariants();

    grid.AddFileToTab(tab, Exe(7));
    EXPECT_EQ(grid.SlotImages[tab][prefilled].SlotPath, Exe(7));
    ExpectInvariants();
  }
}

std::string OutcomeName(const ::testing::TestParamInfo<IconOutcome>& info) {
  switch (info.param) {
    case IconOutcome::NoIcon:
      return "NoIcon";
    case IconOutcome::ToBytesFails:
      return "ToBytesFails";
    case IconOutcome::DecodeFails:
      return "DecodeFails";
    default:
      return "Good";
  }
}

INSTANTIATE_TEST_SUITE_P(AllFailures, SlotGridFailureTest,
                         ::testing::Values(IconOutcome::NoIcon, IconOutcome::ToBytesFails,
                                           IconOutcome::DecodeFails),
                         OutcomeName);

TEST_F(SlotGridTest, IconsAreTakenAtTheRequestedSize) {
  grid.SetIconSize(48);
  grid.AddFileToTab(0, Exe(1));
  EXPECT_EQ(icons.sizesAsked.back(), 48);
}

struct RemoveCase {
  const char* name;
  int filled;
  int remove;
  std::vector<int> expected;  // the registrations left, by their number
};

class RemoveSlotTest : public SlotGridTest, public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(RemoveSlotTest, LaterSlotsMoveLeft) {
  const RemoveCase& c = GetParam();
  grid.CurrentTab = 2;
  for (int i = 0; i < c.filled; ++i)
    grid.AddFileToTab(2, Exe(i));
  grid.RemoveSlot(c.remove);
  ASSERT_EQ(grid.LastSlot[2], static_cast<int>(c.expected.size()) - 1);
  for (std::size_t s = 0; s < c.expected.size(); ++s) {
    EXPECT_EQ(grid.SlotImages[2][s].SlotPath, Exe(c.expected[s]));
  }
  ExpectInvariants();
  if (c.expected.size() < kMaxFilled) {
    grid.AddFileToTab(2, u"C:\\next.exe");
    EXPECT_EQ(grid.SlotImages[2][c.expected.size()].SlotPath, u"C:\\next.exe");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveSlotTest,
    ::testing::Values(RemoveCase{"FirstOfFull", 10, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                      RemoveCase{"LastOfFull", 10, 9, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
                      RemoveCase{"Middle", 4, 1, {0, 2, 3}}, RemoveCase{"OnlyOne", 1, 0, {}},
                      RemoveCase{"BeyondLast", 3, 3, {0, 1, 2}},
                      RemoveCase{"Negative", 3, -1, {0, 1, 2}},
                      RemoveCase{"Sentinel", 10, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SlotGridTest, RemoveActsOnTheCurrentTabOnly) {
  grid.AddFileToTab(0, Exe(0));
  grid.AddFileToTab(1, Exe(1));
  grid.CurrentTab = 1;
  grid.RemoveSlot(0);
  EXPECT_EQ(grid.LastSlot[0], 0);
  EXPECT_EQ(grid.LastSlot[1], -1);
  ExpectInvariants();
}

TEST_F(SlotGridTest, OutOfRangeTabIsIgnored) {
  grid.AddFileToTab(5, Exe(1));
  grid.AddFileToTab(-1, Exe(1));
  EXPECT_TRUE(dialogs.notified.empty());
  ExpectInvariants();
}

}  // namespace
}  // namespace quorvel
