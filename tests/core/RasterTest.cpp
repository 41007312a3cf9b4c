#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "PictureLayout.h"
#include "Raster.h"

namespace quorvel {
namespace {

constexpr std::uint32_t kBack = 0xFF505050;

class RasterTest : public ::testing::Test {
 protected:
  static constexpr int kW = 40, kH = 30;
  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(kW * kH, kBack);
  Raster r{pixels.data(), kW, kH};

  static int ChannelOf(std::uint32_t argb, int shift) { return (argb >> shift) & 0xFF; }
  static bool Near(std::uint32_t got, std::uint32_t want, int tolerance = 2) {
    for (int shift = 0; shift < 32; shift += 8) {
      if (std::abs(ChannelOf(got, shift) - ChannelOf(want, shift)) > tolerance)
        return false;
    }
    return true;
  }
  // Strictly between two colours, channel by channel where they differ.
  static bool Between(std::uint32_t got, std::uint32_t a, std::uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8) {
      const int lo = std::min(ChannelOf(a, shift), ChannelOf(b, shift));
      const int hi = std::max(ChannelOf(a, shift), ChannelOf(b, shift));
      const int v = ChannelOf(got, shift);
      if (lo != hi && (v <= lo || v >= hi))
        return false;
    }
    return true;
  }
};

TEST_F(RasterTest, RoundedCornersAreSmoothAndTheInsideIsExact) {
  r.FillRoundRect({5, 5, 25, 20}, CornerRadii::All(4), 0xFF333333);
  EXPECT_EQ(r.At(15, 12), 0xFF333333u);
  EXPECT_EQ(r.At(5, 12), 0xFF333333u) << "a straight edge on a pixel edge is sharp";
  EXPECT_EQ(r.At(4, 12), kBack);
  EXPECT_EQ(r.At(25, 12), kBack);
  EXPECT_EQ(r.At(5, 5), kBack) << "the very corner is cut off";
  EXPECT_TRUE(Between(r.At(6, 6), 0xFF333333, kBack)) << "the curve is anti-aliased";
  EXPECT_EQ(r.At(24, 19), kBack);

  r.FillRoundRect({30.5, 2, 35, 8}, {}, 0xFF000000);
  EXPECT_TRUE(Near(r.At(30, 4), 0xFF282828)) << "half a pixel covered is half the colour";
  EXPECT_EQ(r.At(31, 4), 0xFF000000u);
}

TEST_F(RasterTest, GradientsRunFromTheirFirstStopToTheLast) {
  const RectF down{0, 0, 10, 30};
  r.FillRoundRect(
      down, {},
      Paint(Paint::Direction::Down, {{0, 0xFF303030}, {0.698, 0xFF404040}, {1, 0xFF404040}}));
  EXPECT_TRUE(Near(r.At(5, 0), 0xFF303030, 1));
  EXPECT_TRUE(Between(r.At(5, 10), 0xFF303030, 0xFF404040));
  EXPECT_EQ(r.At(5, 22), 0xFF404040u) << "flat after its middle stop";
  EXPECT_EQ(r.At(5, 29), 0xFF404040u);

  const RectF right{10, 0, 40, 10};
  r.FillRoundRect(right, {}, Paint(Paint::Direction::Right, {{0, 0xFFF4BB40}, {1, 0xFF674704}}));
  EXPECT_TRUE(Near(r.At(10, 5), 0xFFF4BB40, 6));
  EXPECT_TRUE(Near(r.At(39, 5), 0xFF674704, 6));
  EXPECT_EQ(r.At(25, 0), r.At(25, 9)) << "the same down the other way";
  EXPECT_GT(ChannelOf(r.At(20, 5), 16), ChannelOf(r.At(30, 5), 16));
}

TEST_F(RasterTest, AStrokeLiesJustInsideTheEdge) {
  const RectF box{2, 2, 20, 20};
  r.FillRoundRect(box.Inset(1), CornerRadii::All(1), 0xFF333333);
  r.StrokeRoundRect(box, CornerRadii::All(2), 0xFF202020);
  EXPECT_EQ(r.At(10, 2), 0xFF202020u);
  EXPECT_EQ(r.At(2, 10), 0xFF202020u);
  EXPECT_EQ(r.At(19, 10), 0xFF202020u);
  EXPECT_EQ(r.At(10, 3), 0xFF333333u);
  EXPECT_EQ(r.At(10, 1), kBack);
  EXPECT_NE(r.At(2, 2), 0xFF202020u) << "rounded";
}

TEST_F(RasterTest, ClipKeepsEveryShapeInside) {
  r.SetClip({10, 10, 20, 20});
  r.Fill({0, 0, kW, kH}, 0xFF111111);
  r.FillRoundRect({-100, -100, 100, 100}, CornerRadii::All(5), 0xFF222222);
  r.FillTriangle({-50, 80}, {15, -40}, {90, 80}, 0xFF000000);
  r.Blend({0, 0, kW, kH}, 0x70F69E2D);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const bool inside = x >= 10 && x < 20 && y >= 10 && y < 20;
      if (!inside) {
        ASSERT_EQ(r.At(x, y), kBack) << x << "," << y;
      }
    }
  }
  r.ResetClip();
  r.Fill({-5, -5, 2, 2}, 0xFF000000);  // partly off the pixels
  EXPECT_EQ(r.At(1, 1), 0xFF000000u);
  EXPECT_EQ(r.At(-1, 0), 0u) << "off the pixels reads nothing";
}

TEST_F(RasterTest, ATranslucentColourIsLaidOverWhatIsThere) {
  r.Fill({0, 0, 4, 4}, 0xFF333333);
  r.Blend({0, 0, 4, 4}, 0x70F69E2D);
  const auto mix = [](int over, int under) { return (over * 0x70 + under * (255 - 0x70)) / 255; };
  const std::uint32_t expected =
      0xFF000000u | mix(0xF6, 0x33) << 16 | mix(0x9E, 0x33) << 8 | mix(0x2D, 0x33);
  EXPECT_TRUE(Near(r.At(1, 1), expected, 1));
}

TEST_F(RasterTest, ATrianglePointsWhereItsApexIs) {
  // Up: 8 wide at the bottom, a point at the top.
  r.FillTriangle({10, 20}, {18, 20}, {14, 13}, 0xFF000000);
  const auto darkIn = [&](int y) {
    int n = 0;
    for (int x = 5; x < 25; ++x)
      n += r.At(x, y) != kBack;
    return n;
  };
  EXPECT_GT(darkIn(19), darkIn(14));
  EXPECT_EQ(darkIn(12), 0);
  EXPECT_EQ(darkIn(20), 0);
  EXPECT_EQ(r.At(14, 18), 0xFF000000u);
  EXPECT_EQ(r.At(9, 19), kBack);
}

TEST_F(RasterTest, APictureIsScaledByTheAverageOfWhatLiesUnderEachPixel) {
  // A 4 x 2 picture: left half opaque white, right half transparent, drawn at half size.
  const std::uint32_t W = 0xFFFFFFFF, T = 0;
  const std::uint32_t picture[] = {W, W, T, T, W, W, T, T};
  r.Fill({0, 0, kW, kH}, 0xFF000000);
  r.DrawPicture({10, 10, 12, 11}, picture, 4, 2);
  EXPECT_EQ(r.At(10, 10), 0xFFFFFFFFu);
  EXPECT_EQ(r.At(11, 10), 0xFF000000u) << "transparent leaves what is there";
  // Off the pixel grid: the edge pixels take the part they are covered.
  r.DrawPicture({20.5, 10, 22.5, 11}, picture, 4, 2);
  EXPECT_TRUE(Near(r.At(20, 10), 0xFF808080, 1));
  EXPECT_EQ(r.At(22, 10), 0xFF000000u);
}

TEST(PictureLayout, TheEmblemAndTheScreenshotSitCentred) {
  const RectF emblem = CentredAtScale({10, 10, 55, 55}, 64, 64, 0.7);
  EXPECT_NEAR(emblem.Width(), 44.8, 1e-9);
  EXPECT_NEAR(emblem.left - 10, 55 - emblem.right, 1e-9);
  EXPECT_NEAR(emblem.top, 10.1, 1e-9);

  const RectF shot = FitCentred({19, 68, 622, 334}, 727, 319);
  EXPECT_NEAR(shot.Width(), 603, 1e-9) << "the width limits it";
  EXPECT_NEAR(shot.Height(), 319 * 603.0 / 727, 1e-9);
  EXPECT_NEAR(shot.top - 68, 334 - shot.bottom, 1e-9);
  const RectF tall = FitCentred({0, 0, 100, 100}, 50, 200);
  EXPECT_EQ(tall, (RectF{37.5, 0, 62.5, 100})) << "or the height";
  EXPECT_EQ(FitCentred({0, 0, 100, 100}, 0, 0).Width(), 0);
}

TEST(PictureLayout, EachWheelNotchZoomsByAStep) {
  struct Case {
    double scale;
    int delta;
    double expected;
  };
  const Case cases[] = {
      {0.7, 120, 0.74},   {0.7, -120, 0.66},
      {0.7, 360, 0.82},   {0.7, 60, 0.72},   // a finer wheel, a finer step
      {0.06, -240, 0.04}, {3.98, 240, 4.0},  // kept between its ends
  };
  for (const Case& c : cases)
    EXPECT_NEAR(ZoomedScale(c.scale, c.delta), c.expected, 1e-9) << c.scale << " " << c.delta;
}

}  // namespace
}  // namespace quorvel
