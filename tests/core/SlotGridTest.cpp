#include <gtest/gtest.h>

#include <ostream>
#include <tuple>
#include <vector>

#include "Decimal.h"
#include "Fakes.h"
#include "SlotGrid.h"

namespace quorvel {
namespace {

using test::FakeDialogs;
using test::FakeIconPort;
using test::IconOutcome;
using Paths = std::vector<std::u16string>;

std::u16string Exe(int n) {
  return u"C:\\Tools\\app" + Decimal(n) + u".exe";
}

Paths Exes(std::initializer_list<int> numbers) {
  Paths paths;
  for (int n : numbers)
    paths.push_back(Exe(n));
  return paths;
}

class SlotGridTest : public ::testing::Test {
 protected:
  FakeIconPort icons;
  FakeDialogs dialogs;
  SlotGrid grid{icons, dialogs};

  void Fill(int tab, int count) {
    for (int i = 0; i < count; ++i)
      grid.AddFileToTab(tab, Exe(i));
  }

  // The paths of the tab's filled range, in slot order.
  Paths Row(int tab) const {
    Paths paths;
    for (int s = 0; s <= grid.LastSlot[tab]; ++s)
      paths.push_back(grid.SlotImages[tab][s].SlotPath);
    return paths;
  }

  // What every operation must leave true, on every tab.
  void ExpectInvariants() const {
    for (int t = 0; t < kTabCount; ++t) {
      ASSERT_GE(grid.LastSlot[t], -1);
      ASSERT_LE(grid.LastSlot[t], 9);
      for (int s = 0; s < kSlotsPerTab; ++s) {
        SCOPED_TRACE(testing::Message() << "tab " << t << " slot " << s);
        const Slot& slot = grid.SlotImages[t][s];
        EXPECT_EQ(slot.Filled(), s <= grid.LastSlot[t]) << "filled exactly up to LastSlot";
        EXPECT_EQ(FakeIconPort::PathOf(slot.Picture), slot.SlotPath)
            << "picture and path come from the same file";
        EXPECT_EQ(slot.Tag, s);
      }
    }
    EXPECT_EQ(icons.LiveIcons(), 0) << "an icon outlived its operation";
  }
};

TEST_F(SlotGridTest, NewGridHasFiveNamedTabsAllEmpty) {
  const char16_t* digits[] = {u"1", u"2", u"3", u"4", u"5"};
  for (int t = 0; t < kTabCount; ++t) {
    EXPECT_EQ(grid.TabItems[t].Text, std::u16string(u"アプリ ") + digits[t]);
    EXPECT_EQ(grid.TabItems[t].Hint, std::u16string(u"ヒント ") + digits[t]);
    EXPECT_EQ(grid.TabItems[t].Tag, t);
    EXPECT_EQ(grid.LastSlot[t], -1);
  }
  EXPECT_EQ(grid.CurrentTab, 0);
  ExpectInvariants();
}

TEST_F(SlotGridTest, TenFilesFillTheTabAndTheEleventhIsDroppedSilently) {
  Fill(1, 10);
  EXPECT_EQ(Row(1), Exes({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  const std::size_t extractionsBefore = icons.sizesAsked.size();

  grid.AddFileToTab(1, u"C:\\extra.exe");

  EXPECT_EQ(grid.LastSlot[1], 9);
  EXPECT_EQ(Row(1), Exes({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(icons.sizesAsked.size(), extractionsBefore)
      << "a full tab does not even look at the file";
  EXPECT_TRUE(dialogs.notified.empty());
  ExpectInvariants();
}

TEST_F(SlotGridTest, RegistrationSetsPictureAndPathTogether) {
  const Paths paths = {
      u"C:\\Tools\\edit.exe", u"C:\\Icons\\app.ico", u"D:\\ツール\\\U0001F600 アプリ.exe",
      u"C:\\odd\xDC00name.exe",  // a lone surrogate is a legal file name
  };
  grid.SetIconSize(48);
  for (const auto& path : paths)
    grid.AddFileToTab(3, path);
  EXPECT_EQ(Row(3), paths);
  EXPECT_EQ(icons.sizesAsked, std::vector<int>(paths.size(), 48))
      << "icons are taken at the slot's physical size";
  EXPECT_TRUE(dialogs.notified.empty());
  ExpectInvariants();
}

TEST_F(SlotGridTest, OnePathMayFillSeveralSlots) {
  for (int tab : {0, 0, 4})
    grid.AddFileToTab(tab, Exe(7));
  EXPECT_EQ(Row(0), Exes({7, 7}));
  EXPECT_EQ(Row(4), Exes({7}));
  ExpectInvariants();
}

TEST_F(SlotGridTest, OutOfRangeArgumentsChangeNothing) {
  for (int tab : {-1, kTabCount, 1000})
    grid.AddFileToTab(tab, Exe(1));
  EXPECT_FALSE(grid.LoadSlotIcon(0, 10, Exe(1))) << "slot 10 is never filled";
  EXPECT_FALSE(grid.LoadSlotIcon(0, -1, Exe(1)));
  EXPECT_FALSE(grid.LoadSlotIcon(kTabCount, 0, Exe(1)));
  grid.CurrentTab = kTabCount;
  grid.RemoveSlot(0);
  grid.CurrentTab = 0;
  EXPECT_TRUE(icons.sizesAsked.empty());
  EXPECT_TRUE(dialogs.notified.empty());
  ExpectInvariants();
}

// Every way of failing to take an icon is reported and undone alike, on an empty tab and on one
// holding three registrations.
class IconFailureTest : public SlotGridTest,
                        public ::testing::WithParamInterface<std::tuple<IconOutcome, int>> {};

TEST_P(IconFailureTest, IsReportedAndGivesTheSlotBack) {
  const auto [outcome, filled] = GetParam();
  constexpr int kTab = 2;
  Fill(kTab, filled);
  const Paths before = Row(kTab);
  const std::u16string bad = u"C:\\docs\\読んでね.txt";
  icons.outcomes[bad] = outcome;
  int lastSlotWhileShown = -99, liveIconsWhileShown = -99;
  dialogs.duringDialog = [&] {
    lastSlotWhileShown = grid.LastSlot[kTab];
    liveIconsWhileShown = icons.LiveIcons();
  };

  grid.AddFileToTab(kTab, bad);

  ASSERT_EQ(dialogs.notified.size(), 1u);
  EXPECT_EQ(dialogs.notified[0], bad +
                                     u"\r\nのファイルからアイコンが取り出せませんでした。\r\n"
                                     u"よって、このファイルアイコンを登録から外します。");
  EXPECT_EQ(dialogs.notified[0], NoIconMessage(bad));
  EXPECT_EQ(lastSlotWhileShown, filled) << "the attempt holds its slot while the message is open";
  EXPECT_EQ(liveIconsWhileShown, 0) << "the icon is released before the message";
  EXPECT_EQ(grid.LastSlot[kTab], filled - 1);
  EXPECT_EQ(Row(kTab), before);
  ExpectInvariants();

  dialogs.duringDialog = nullptr;
  grid.AddFileToTab(kTab, Exe(8));
  EXPECT_EQ(grid.SlotImages[kTab][filled].SlotPath, Exe(8)) << "the next file takes that slot";
  ExpectInvariants();
}

std::string FailureName(const ::testing::TestParamInfo<std::tuple<IconOutcome, int>>& info) {
  const auto [outcome, filled] = info.param;
  const char* name = outcome == IconOutcome::NoIcon         ? "NoIcon"
                     : outcome == IconOutcome::ToBytesFails ? "ToIcoBytesFails"
                                                            : "DecodeIcoFails";
  return std::string(name) + "_After" + std::to_string(filled);
}

INSTANTIATE_TEST_SUITE_P(AllFailures, IconFailureTest,
                         ::testing::Combine(::testing::Values(IconOutcome::NoIcon,
                                                              IconOutcome::ToBytesFails,
                                                              IconOutcome::DecodeFails),
                                            ::testing::Values(0, 3)),
                         FailureName);

struct RemoveCase {
  const char* name;
  int filled;
  int remove;
  std::vector<int> left;  // the registrations left on the tab, by their number
};

void PrintTo(const RemoveCase& c, std::ostream* os) {
  *os << c.name;
}

class RemoveSlotTest : public SlotGridTest, public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(RemoveSlotTest, LaterSlotsMoveLeftOnTheCurrentTabOnly) {
  const RemoveCase& c = GetParam();
  constexpr int kTab = 2;
  grid.CurrentTab = kTab;
  Fill(kTab, c.filled);
  Fill(1, 4);

  grid.RemoveSlot(c.remove);

  Paths left;
  for (int n : c.left)
    left.push_back(Exe(n));
  EXPECT_EQ(Row(kTab), left);
  EXPECT_EQ(Row(1), Exes({0, 1, 2, 3})) << "other tabs are never touched";
  ExpectInvariants();

  if (left.size() < kMaxFilled) {
    grid.AddFileToTab(kTab, u"C:\\next.exe");
    EXPECT_EQ(grid.SlotImages[kTab][left.size()].SlotPath, u"C:\\next.exe")
        << "the next registration goes right after the last filled slot";
    ExpectInvariants();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveSlotTest,
    ::testing::Values(RemoveCase{"FirstOfFull", 10, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                      RemoveCase{"LastOfFull", 10, 9, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
                      RemoveCase{"Middle", 4, 1, {0, 2, 3}},
                      RemoveCase{"LastFilled", 4, 3, {0, 1, 2}}, RemoveCase{"OnlyOne", 1, 0, {}},
                      RemoveCase{"BeyondLastFilled", 3, 3, {0, 1, 2}},
                      RemoveCase{"Negative", 3, -1, {0, 1, 2}},
                      RemoveCase{"SentinelOfFull", 10, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
                      RemoveCase{"OnEmptyTab", 0, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvel
