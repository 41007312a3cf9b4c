#include <gtest/gtest.h>

#include "StripGeometry.h"

namespace quorvel {
namespace {

TEST(StripGeometry, PointsHitTheirPartAtEveryScale) {
  struct Case {
    int x, y;  // logical
    Hit expected;
  };
  const Case cases[] = {
      {2, 0, {Hit::Kind::Header, 0}},
      {63, 23, {Hit::Kind::Header, 0}},
      {64, 10, {Hit::Kind::Header, 1}},
      {2 + 62 * 4 + 61, 5, {Hit::Kind::Header, 4}},
      {1, 10, {}},
      {315, 10, {}},  // the free part of the header band
      {2, 26, {Hit::Kind::Slot, 0}},
      {33, 57, {Hit::Kind::Slot, 0}},
      {34, 40, {Hit::Kind::Slot, 1}},
      {18 + 32 * 9, 42, {Hit::Kind::Slot, 9}},
      {318, 42, {Hit::Kind::Slot, 9}},
      {319, 42, {}},  // slot 9 is clipped, 10 never shows
      {1, 42, {}},
      {100, 58, {}},
      {100, 60, {}},
  };
  for (int dpi : {96, 120, 144, 192}) {
    const StripGeometry g(dpi);
    for (const Case& c : cases) {
      // The centre of the logical pixel, in physical pixels.
      const int x = (2 * c.x + 1) * dpi / (2 * kBaseDpi), y = (2 * c.y + 1) * dpi / (2 * kBaseDpi);
      EXPECT_EQ(g.HitTest(x, y), c.expected) << "dpi " << dpi << " at " << c.x << "," << c.y;
    }
  }
}

TEST(StripGeometry, SizesScaleWithTheDisplay) {
  EXPECT_EQ(StripGeometry(96).Width(), 321);
  EXPECT_EQ(StripGeometry(96).Height(), 61);
  EXPECT_EQ(StripGeometry(144).SlotPixels(), 48);
  EXPECT_EQ(StripGeometry(144).Height(), 92);
  EXPECT_EQ(StripGeometry(192).Width(), 642);
  EXPECT_FALSE(StripGeometry(96).VisibleSlot(10).has_value());
  EXPECT_EQ(StripGeometry(96).VisibleSlot(9)->Right, 319);
}

}  // namespace
}  // namespace quorvel
