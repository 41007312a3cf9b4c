// The menu's glyphs: only the left half of each picture, sharp at whole scales.
#include <windows.h>

#include <gtest/gtest.h>

#include "MenuGlyphs.h"

namespace quorvel::win {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGrey = 0xFF808080;

// 32 x 16 like the image list's pictures: the left half split red | blue down its middle,
// the right half the grey copy nothing shows.
std::shared_ptr<const SlotPicture> TwoHalves() {
  std::vector<std::uint32_t> px(32 * 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 32; ++x)
      px[y * 32 + x] = x >= 16 ? kGrey : (x < 8 ? kRed : kBlue);
  }
  return std::make_shared<SlotPicture>(32, 16, std::move(px));
}

TEST(MenuGlyphs, ShowOnlyTheLeftHalfAtEverySize) {
  const auto picture = TwoHalves();
  for (const int side : {16, 20, 24, 32}) {
    SCOPED_TRACE(side);
    const auto out = ScaledGlyph(*picture, 16, side);
    ASSERT_EQ(out.size(), std::size_t(side) * side);
    EXPECT_EQ(out.front(), kRed);
    EXPECT_EQ(out.back(), kBlue) << "the middle of the picture is not its right edge";
    for (const std::uint32_t p : out)
      ASSERT_EQ(p >> 24, 0xFFu) << "opaque stays opaque";
    EXPECT_EQ(std::count(out.begin(), out.end(), kGrey), 0);
  }
}

TEST(MenuGlyphs, WholeScalesRepeatPixelsOthersBlendTheEdge) {
  const auto picture = TwoHalves();
  const auto doubled = ScaledGlyph(*picture, 16, 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(doubled[y * 32 + x], x < 16 ? kRed : kBlue) << x << "," << y;
  }
  const auto half = ScaledGlyph(*picture, 16, 24);
  const std::uint32_t edge = half[12 * 24 + 12];  // where red meets blue
  EXPECT_NE(edge, kRed);
  EXPECT_NE(edge, kBlue);
  EXPECT_GT(edge & 0xFF, 0u);
  EXPECT_GT((edge >> 16) & 0xFF, 0u);
}

TEST(MenuGlyphs, BitmapsForPicturesOnlyAtTheAskedSide) {
  MenuGlyphs glyphs({TwoHalves(), nullptr});
  EXPECT_EQ(glyphs.At(-1, 16), nullptr);
  EXPECT_EQ(glyphs.At(1, 16), nullptr) << "an entry without a picture";
  EXPECT_EQ(glyphs.At(2, 16), nullptr) << "beyond the list";
  const HBITMAP at24 = glyphs.At(0, 24);
  ASSERT_NE(at24, nullptr);
  EXPECT_EQ(glyphs.At(0, 24), at24);
  BITMAP info{};
  ASSERT_TRUE(GetObjectW(at24, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 24);
  EXPECT_EQ(info.bmBitsPixel, 32);
  const HBITMAP at32 = glyphs.At(0, 32);
  ASSERT_TRUE(GetObjectW(at32, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 32);
}

}  // namespace
}  // namespace quorvel::win
