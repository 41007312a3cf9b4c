#include <gtest/gtest.h>

#include <vector>

#include "ScreenGuard.h"

namespace quorvel {
namespace {

// The strip at 100 %.
constexpr std::int32_t kWidth = 321, kHeight = 61;

const Rect kFullHd{0, 0, 1920, 1040};
const Rect kTaskbarTop{0, 40, 1920, 1080};
const Rect kRight{1920, 0, 3200, 984};
const Rect kLeftOfPrimary{-1280, 0, 0, 984};

struct Case {
  const char* name;
  std::vector<Rect> areas;
  Position at;
  Position expected;
  Position oldRule;  // what comparing with the last display's right edge and the smallest
                     // height gave: kept here so that every changed outcome is visible
};

class KeepOnScreenTest : public ::testing::TestWithParam<Case> {};

TEST_P(KeepOnScreenTest, MovesOnlyWhatTheUserCouldNotReach) {
  const Case& c = GetParam();
  EXPECT_EQ(KeepOnScreen(c.areas, c.at.Left, c.at.Top, kWidth, kHeight), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepOnScreenTest,
    ::testing::Values(
        Case{"RightEdgeOnLimit", {kFullHd}, {1599, 979}, {1599, 979}, {1599, 979}},
        Case{"RightEdgeBeyond", {kFullHd}, {1600, 100}, {50, 100}, {50, 100}},
        Case{"BottomEdgeBeyond", {kFullHd}, {100, 980}, {100, 50}, {100, 50}},
        Case{"BothBeyond", {kFullHd}, {5000, 5000}, {50, 50}, {50, 50}},
        Case{"TaskbarAtTopWhollyVisible", {kTaskbarTop}, {100, 1000}, {100, 1000}, {100, 50}},
        Case{"TaskbarAtTopUnderTheBar", {kTaskbarTop}, {100, 10}, {100, 50}, {100, 10}},
        Case{"SecondDisplay", {kFullHd, kRight}, {2500, 900}, {2500, 900}, {2500, 900}},
        Case{"PrimaryBelowSecondsHeight", {kFullHd, kRight}, {100, 950}, {100, 950}, {100, 50}},
        Case{"SecondDisplayListedFirst", {kRight, kFullHd}, {2500, 900}, {2500, 900}, {50, 900}},
        Case{"SpanningTwoDisplays", {kFullHd, kRight}, {1800, 100}, {1800, 100}, {1800, 100}},
        Case{"OnDisplayLeftOfPrimary",
             {kFullHd, kLeftOfPrimary},
             {-900, 100},
             {-900, 100},
             {-900, 100}},
        Case{"PrimaryWhenLeftDisplayListedLast",
             {kFullHd, kLeftOfPrimary},
             {100, 100},
             {100, 100},
             {50, 100}},
        Case{"NegativeWhereNoDisplayIs", {kFullHd}, {-500, -300}, {50, 50}, {-500, -300}},
        Case{"HugeCoordinatesDoNotOverflow",
             {kFullHd},
             {2147483600, 2147483600},
             {50, 50},
             {50, 50}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeepOnScreen, WithoutDisplaysNothingMoves) {
  EXPECT_EQ(KeepOnScreen({}, 7000, -7000, kWidth, kHeight), (Position{7000, -7000}));
}

}  // namespace
}  // namespace quorvel
