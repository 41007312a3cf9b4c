#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "Displays.h"

namespace {

TEST(Displays, WorkAreasHaveSizeAndIncludeThePrimary) {
  const auto areas = quorvel::win::WorkAreas();
  ASSERT_FALSE(areas.empty());
  EXPECT_EQ(areas.size(), static_cast<std::size_t>(GetSystemMetrics(SM_CMONITORS)));
  for (const auto& a : areas) {
    EXPECT_GT(a.Right, a.Left);
    EXPECT_GT(a.Bottom, a.Top);
  }
  RECT primary{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0));
  EXPECT_TRUE(std::any_of(areas.begin(), areas.end(), [&](const quorvel::Rect& a) {
    return a.Left == primary.left && a.Top == primary.top && a.Right == primary.right &&
           a.Bottom == primary.bottom;
  }));
}

}  // namespace
