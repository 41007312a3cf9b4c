#include <gtest/gtest.h>

#include <utility>

#include <array>

#include "ScrollBar.h"
#include "ScrollBarInput.h"
#include "ScrollView.h"

namespace quorvel {
namespace {

// A rectangle's edges, for comparing and printing.
std::array<int, 4> Edges(const Rect& r) {
  return {r.Left, r.Top, r.Right, r.Bottom};
}

std::pair<int, int> OffsetAndLength(const ThumbSpan& t) {
  return {t.offset, t.length};
}

TEST(ScrollBarGeometry, ThumbStandsForThePageWithinTheExtent) {
  struct Case {
    int track, minLength;
    ScrollMetrics m;
    ThumbSpan expected;
  };
  const Case cases[] = {
      {100, 10, {50, 80, 0}, {0, 100}},      // content shorter than the page: the whole track
      {100, 10, {80, 80, 0}, {0, 100}},      // content exactly the page
      {100, 10, {200, 100, 0}, {0, 50}},     // at the start
      {100, 10, {200, 100, 50}, {25, 50}},   // half way
      {100, 10, {200, 100, 100}, {50, 50}},  // at the end: flush with the track's end
      {100, 10, {200, 100, 500}, {50, 50}},  // beyond the end
      {100, 10, {200, 100, -7}, {0, 50}},    // before the start
      {100, 12, {10000, 100, 0}, {0, 12}},   // never shorter than the minimum
      {100, 12, {10000, 100, 9900}, {88, 12}},
      {8, 12, {1000, 100, 900}, {0, 8}},  // nor longer than a short track
      {0, 12, {1000, 100, 450}, {0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OffsetAndLength(ThumbOf(c.track, c.minLength, c.m)), OffsetAndLength(c.expected))
        << "track " << c.track << " extent " << c.m.extent << " page " << c.m.page << " at "
        << c.m.position;
  }
}

TEST(ScrollBarGeometry, DraggingTheThumbGivesBackItsPositionAndClampsAtTheEnds) {
  // More room than positions: every position is reachable and comes back unchanged.
  const int track = 400, minLength = 12;
  ScrollMetrics m{300, 200, 0};
  for (m.position = 0; m.position <= MaxScrollPosition(m); ++m.position) {
    const ThumbSpan t = ThumbOf(track, minLength, m);
    EXPECT_EQ(PositionAtThumb(track, minLength, m, t.offset), m.position);
  }
  // Fewer: the thumb still reaches both ends.
  const ScrollMetrics tall{5000, 100, 0};
  const int room = track - ThumbOf(track, minLength, tall).length;
  EXPECT_EQ(PositionAtThumb(track, minLength, tall, room), 4900);
  EXPECT_EQ(PositionAtThumb(track, minLength, tall, room + 300), 4900);
  EXPECT_EQ(PositionAtThumb(track, minLength, tall, -300), 0);
  EXPECT_EQ(PositionAtThumb(track, minLength, {50, 100, 0}, 30), 0) << "nothing to scroll";
}

TEST(ScrollBarGeometry, PartsOfBothBarsAndWhatAPointHits) {
  const ScrollBarMeasures measures{18, 2, 12};
  const ScrollBarLayout v({100, 0, 116, 200}, Orientation::Vertical, measures);
  EXPECT_EQ(Edges(v.BackButton()), Edges({100, 0, 116, 18}));
  EXPECT_EQ(Edges(v.ForwardButton()), Edges({100, 182, 116, 200}));
  EXPECT_EQ(Edges(v.Track()), Edges({100, 18, 116, 182}));
  EXPECT_EQ(Edges(v.Groove()), Edges({102, 20, 114, 180}));
  const ScrollMetrics m{400, 200, 0};
  EXPECT_EQ(Edges(v.Thumb(m)), Edges({102, 20, 114, 100}));
  EXPECT_EQ(Edges(v.Thumb({400, 200, 200})), Edges({102, 100, 114, 180}));

  const ScrollBarLayout h({0, 50, 300, 66}, Orientation::Horizontal, measures);
  EXPECT_EQ(Edges(h.BackButton()), Edges({0, 50, 18, 66}));
  EXPECT_EQ(Edges(h.ForwardButton()), Edges({282, 50, 300, 66}));
  EXPECT_EQ(Edges(h.Groove()), Edges({20, 52, 280, 64}));
  EXPECT_EQ(Edges(h.Thumb({600, 300, 300})), Edges({150, 52, 280, 64}));

  struct Case {
    int x, y;
    ScrollPart expected;
  };
  const Case cases[] = {
      {108, 0, ScrollPart::LineBack},      {115, 17, ScrollPart::LineBack},
      {108, 20, ScrollPart::Thumb},        {100, 99, ScrollPart::Thumb},  // the bar's whole breadth
      {108, 100, ScrollPart::PageForward}, {108, 181, ScrollPart::PageForward},
      {108, 182, ScrollPart::LineForward}, {108, 199, ScrollPart::LineForward},
      {108, 200, ScrollPart::None},        {99, 50, ScrollPart::None},
      {116, 50, ScrollPart::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(v.HitTest(c.x, c.y, m), c.expected) << c.x << "," << c.y;
  EXPECT_EQ(v.HitTest(108, 30, {400, 200, 200}), ScrollPart::PageBack);

  const ScrollBarLayout shortBar({0, 0, 16, 20}, Orientation::Vertical, measures);
  EXPECT_EQ(Edges(shortBar.BackButton()), Edges({0, 0, 16, 10})) << "the buttons share a short bar";
  EXPECT_EQ(Edges(shortBar.ForwardButton()), Edges({0, 10, 16, 20}));
  EXPECT_EQ(shortBar.HitTest(8, 12, m), ScrollPart::LineForward);
}

class ScrollBarInputTest : public ::testing::Test {
 protected:
  const ScrollBarLayout bar{{100, 0, 116, 200}, Orientation::Vertical, {18, 2, 12}};
  ScrollMetrics m{1000, 100, 0};  // the thumb is 16 long, its room 144
  ScrollBarInput input;
  static constexpr int kLine = 20;

  // Applies what the bar asks, as the view would.
  void Apply(const ScrollBarAnswer& a) {
    if (a.scrollTo)
      m.position = *a.scrollTo;
  }
};

TEST_F(ScrollBarInputTest, AHeldButtonStepsALineAgainWhileThePointerStaysOnIt) {
  Apply(input.Press(bar, m, 108, 190, kLine));
  EXPECT_EQ(m.position, 20);
  EXPECT_EQ(input.Pressed(), ScrollPart::LineForward);
  Apply(input.Repeat(bar, m, kLine));
  Apply(input.Repeat(bar, m, kLine));
  EXPECT_EQ(m.position, 60);
  input.Move(bar, m, 108, 150);  // off the button, still held
  EXPECT_FALSE(input.Repeat(bar, m, kLine).scrollTo);
  EXPECT_EQ(input.Hot(), ScrollPart::None) << "only the held part may light";
  input.Release(bar, m);
  EXPECT_EQ(input.Pressed(), ScrollPart::None);

  m.position = 10;
  Apply(input.Press(bar, m, 108, 5, kLine));
  EXPECT_EQ(m.position, 0);
  EXPECT_FALSE(input.Repeat(bar, m, kLine).scrollTo) << "at the start it stays";
}

TEST_F(ScrollBarInputTest, AHeldTrackPagesTowardsThePointerAndStopsUnderIt) {
  int pages = 0;
  ScrollBarAnswer a = input.Press(bar, m, 108, 120, kLine);
  while (a.scrollTo) {
    Apply(a);
    ++pages;
    ASSERT_LT(pages, 20);
    a = input.Repeat(bar, m, kLine);
  }
  EXPECT_EQ(bar.HitTest(108, 120, m), ScrollPart::Thumb) << "the thumb has come under it";
  EXPECT_EQ(m.position, 600);
  input.Release(bar, m);
  Apply(input.Press(bar, m, 108, 19, kLine));
  EXPECT_EQ(m.position, 500) << "and back a page";
  EXPECT_EQ(pages, 6);
}

TEST_F(ScrollBarInputTest, TheThumbFollowsTheDragAndStopsAtTheEnds) {
  m.position = 450;  // thumb at 20 + 72
  const Rect thumb = bar.Thumb(m);
  ASSERT_EQ(thumb.Top, 92);
  input.Press(bar, m, 103, 95, kLine);  // grabbed 3 px below its edge
  EXPECT_EQ(input.Pressed(), ScrollPart::Thumb);
  Apply(input.Move(bar, m, 130, 95 + 36));  // off the bar sideways still drags
  EXPECT_EQ(m.position, 450 + 225);
  Apply(input.Move(bar, m, 108, 5000));
  EXPECT_EQ(m.position, 900);
  Apply(input.Move(bar, m, 108, -5000));
  EXPECT_EQ(m.position, 0);
  input.Release(bar, m);
  EXPECT_FALSE(input.Move(bar, m, 108, 150).scrollTo) << "released: no more drag";
}

TEST_F(ScrollBarInputTest, ThePartUnderThePointerLightsUntilItLeaves) {
  EXPECT_TRUE(input.Move(bar, m, 108, 25).repaint);
  EXPECT_EQ(input.Hot(), ScrollPart::Thumb);
  EXPECT_FALSE(input.Move(bar, m, 109, 26).repaint) << "the same part";
  EXPECT_TRUE(input.Move(bar, m, 108, 195).repaint);
  EXPECT_EQ(input.Hot(), ScrollPart::LineForward);
  EXPECT_TRUE(input.Leave().repaint);
  EXPECT_EQ(input.Hot(), ScrollPart::None);
}

TEST(ScrollView, ABarShowsWhenTheContentOverflowsAndNarrowsTheOtherWay) {
  struct Case {
    int width, height;
    bool vertical, horizontal;
  };
  const Case cases[] = {
      {50, 50, false, false}, {100, 100, false, false}, {50, 150, true, false},
      {150, 50, false, true}, {95, 150, true, true},  // the vertical bar leaves 90
      {150, 95, true, true},  {150, 150, true, true},   {90, 150, true, false},
  };
  const Rect area{10, 20, 110, 120};
  for (const Case& c : cases) {
    const ScrollViewLayout l = LayoutScrollView(area, c.width, c.height, 10);
    EXPECT_EQ(l.vertical.has_value(), c.vertical) << c.width << "x" << c.height;
    EXPECT_EQ(l.horizontal.has_value(), c.horizontal) << c.width << "x" << c.height;
    EXPECT_EQ(l.corner.has_value(), c.vertical && c.horizontal);
    EXPECT_EQ(l.view.Right, c.vertical ? 100 : 110);
    EXPECT_EQ(l.view.Bottom, c.horizontal ? 110 : 120);
  }
  const ScrollViewLayout both = LayoutScrollView(area, 500, 500, 10);
  EXPECT_EQ(Edges(*both.vertical), Edges({100, 20, 110, 110}));
  EXPECT_EQ(Edges(*both.horizontal), Edges({10, 110, 100, 120}));
  EXPECT_EQ(Edges(*both.corner), Edges({100, 110, 110, 120}));
}

}  // namespace
}  // namespace quorvel
