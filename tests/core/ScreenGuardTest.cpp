#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "ScreenGuard.h"

namespace quorvel {

// Found by argument-dependent lookup, so it must live beside Position.
void PrintTo(const Position& p, std::ostream* os) {
  *os << "(" << p.Left << ", " << p.Top << ")";
}

namespace {

// The strip at 100 %.
constexpr std::int32_t kWidth = 321, kHeight = 61;

const Rect kFullHd{0, 0, 1920, 1040};
const Rect kTaskbarAtTop{0, 40, 1920, 1080};
const Rect kRightOfPrimary{1920, 0, 3200, 984};
const Rect kLeftOfPrimary{-1280, 0, 0, 984};

// The guard's first rule, kept to show which outcomes the present one changes: the right edge
// against the right edge of the display listed last, the bottom edge against the smallest
// work-area height, in 32-bit sums and single-precision limits; left and top edges untested.
Position FirstRule(const std::vector<Rect>& areas, Position at) {
  float rightLimit = 0;
  float heightLimit = static_cast<float>(areas[0].Bottom - areas[0].Top);
  for (const Rect& a : areas) {
    rightLimit = static_cast<float>(a.Right);
    const float height = static_cast<float>(a.Bottom - a.Top);
    if (static_cast<double>(heightLimit) > static_cast<double>(height))
      heightLimit = height;
  }
  const auto right = static_cast<std::int32_t>(std::int64_t{at.Left} + kWidth);  // wraps
  const auto bottom = static_cast<std::int32_t>(std::int64_t{at.Top} + kHeight);
  Position p = at;
  if (static_cast<double>(right) > static_cast<double>(rightLimit))
    p.Left = 50;
  if (static_cast<double>(bottom) > static_cast<double>(heightLimit))
    p.Top = 50;
  return p;
}

struct Case {
  const char* name;
  std::vector<Rect> areas;
  Position at;
  Position now;     // what KeepOnScreen gives
  Position before;  // what the first rule gave
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class KeepOnScreenTest : public ::testing::TestWithParam<Case> {};

TEST_P(KeepOnScreenTest, KeepsWhatTheUserCanReachAndResetsTheRest) {
  const Case& c = GetParam();
  EXPECT_EQ(KeepOnScreen(c.areas, c.at.Left, c.at.Top, kWidth, kHeight), c.now);
  EXPECT_EQ(FirstRule(c.areas, c.at), c.before) << "the table's record of the first rule";
}

// The first rule's own edge cases, and where the rules part.
INSTANTIATE_TEST_SUITE_P(
    Cases, KeepOnScreenTest,
    ::testing::Values(
        Case{"RightEdgeOnTheLimit", {kFullHd}, {1599, 100}, {1599, 100}, {1599, 100}},
        Case{"RightEdgeOnePast", {kFullHd}, {1600, 100}, {50, 100}, {50, 100}},
        Case{"BottomEdgeOnTheLimit", {kFullHd}, {100, 979}, {100, 979}, {100, 979}},
        Case{"BottomEdgeOnePast", {kFullHd}, {100, 980}, {100, 50}, {100, 50}},
        Case{"FailsBoth", {kFullHd}, {1700, 1000}, {50, 50}, {50, 50}},
        Case{"TaskbarAtTopWhollyInside", {kTaskbarAtTop}, {100, 1000}, {100, 1000}, {100, 50}},
        Case{"TaskbarAtTopUnderTheBar", {kTaskbarAtTop}, {100, 10}, {100, 50}, {100, 10}},
        Case{"OnTheSecondDisplay",
             {kFullHd, kRightOfPrimary},
             {2500, 900},
             {2500, 900},
             {2500, 900}},
        Case{
            "LowOnTheTallerPrimary", {kFullHd, kRightOfPrimary}, {100, 950}, {100, 950}, {100, 50}},
        Case{"OnTheSecondDisplayListedFirst",
             {kRightOfPrimary, kFullHd},
             {2500, 900},
             {2500, 900},
             {50, 900}},
        Case{"SpanningTwoAdjacentDisplays",
             {kFullHd, kRightOfPrimary},
             {1800, 100},
             {1800, 100},
             {1800, 100}},
        Case{"SpanningTwoAdjacentDisplaysLow",
             {kFullHd, kRightOfPrimary},
             {1800, 950},
             {1800, 950},
             {1800, 50}},
        // Inside the displays' bounding box though partly below the shorter one's work area.
        Case{"PartlyBelowTheShorterDisplay",
             {kFullHd, kRightOfPrimary},
             {2500, 960},
             {2500, 960},
             {2500, 50}},
        Case{"OnTheDisplayLeftOfPrimary",
             {kFullHd, kLeftOfPrimary},
             {-900, 100},
             {-900, 100},
             {-900, 100}},
        Case{"OnThePrimaryWithTheLeftDisplayListedLast",
             {kFullHd, kLeftOfPrimary},
             {100, 100},
             {100, 100},
             {50, 100}},
        Case{"NegativeWhereNoDisplayIs", {kFullHd}, {-500, -300}, {50, 50}, {-500, -300}},
        Case{"NearTheInt32Limits",
             {kFullHd},
             {2147483600, 2147483600},
             {50, 50},
             {2147483600, 2147483600}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeepOnScreen, WithoutWorkAreasNothingMoves) {
  EXPECT_EQ(KeepOnScreen({}, 7000, -7000, kWidth, kHeight), (Position{7000, -7000}));
}

}  // namespace
}  // namespace quorvel
