#include <gtest/gtest.h>

#include <utility>

#include "TextLines.h"

namespace quorvel {
namespace {

// As a pair, which the test framework prints.
std::pair<int, int> At(const TextPos& p) {
  return {p.line, p.column};
}

TEST(TextLines, OffsetsCountTheLineBreakAsTwo) {
  const TextLines t({u"ab", u"", u"cde"});
  EXPECT_EQ(t.Text(), u"ab\r\n\r\ncde");
  EXPECT_EQ(t.Length(), 9);
  struct Case {
    int offset;
    TextPos pos;
  };
  const Case cases[] = {
      {0, {0, 0}}, {2, {0, 2}}, {3, {0, 2}},  // inside the break: before it
      {4, {1, 0}}, {5, {1, 0}}, {6, {2, 0}}, {9, {2, 3}}, {100, {2, 3}}, {-5, {0, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(At(t.PosAt(c.offset)), At(c.pos)) << "offset " << c.offset;
  for (const TextPos p : {TextPos{0, 1}, TextPos{1, 0}, TextPos{2, 2}, TextPos{2, 3}})
    EXPECT_EQ(At(t.PosAt(t.OffsetOf(p))), At(p));
  EXPECT_EQ(t.OffsetOf({7, 7}), 9) << "a place beyond the text is its end";
  EXPECT_EQ(TextLines().Count(), 1) << "never without a line";
}

TEST(TextLines, TextBetweenTwoPlacesInEitherOrder) {
  const TextLines t({u"Quorvel V1.2", u"", u"・ソフトの概要"});
  EXPECT_EQ(t.Text({0, 8}, {2, 1}), u"V1.2\r\n\r\n・");
  EXPECT_EQ(t.Text({2, 1}, {0, 8}), u"V1.2\r\n\r\n・");
  EXPECT_EQ(t.Text({0, 3}, {0, 3}), u"");
  EXPECT_EQ(t.Text({0, 0}, t.End()), t.Text());
}

TEST(TextLines, InsertedLinesGoWhereAsked) {
  TextLines t({u"b", u"d"});
  t.Insert(0, u"a");
  t.Insert(2, u"c");
  t.Insert(99, u"e");
  t.Insert(-3, u"0");
  EXPECT_EQ(t.Text(), u"0\r\na\r\nb\r\nc\r\nd\r\ne");
}

TEST(TextLines, ASurrogatePairIsOneCharacter) {
  const TextLines t({u"a\U0001F600b", u"c"});
  EXPECT_EQ(At(t.Next({0, 1})), At({0, 3}));
  EXPECT_EQ(At(t.Prev({0, 3})), At({0, 1}));
  EXPECT_EQ(At(t.Clamp({0, 2})), At({0, 1})) << "never between its halves";
  EXPECT_EQ(At(t.PosAt(2)), At({0, 1}));
  EXPECT_EQ(At(t.Next({0, 4})), At({1, 0})) << "across the line end";
  EXPECT_EQ(At(t.Prev({1, 0})), At({0, 4}));
  EXPECT_EQ(At(t.Next(t.End())), At(t.End()));
  EXPECT_EQ(At(t.Prev({0, 0})), At({0, 0}));
}

TEST(TextLines, WordsAreRunsOfLikeCharacters) {
  const TextLines t({u"Quorvel.exe を任意のフォルダに置いて", u"クリック:アプリを起動"});
  struct Case {
    TextPos at;
    TextPos begin, end;
  };
  const Case cases[] = {
      {{0, 3}, {0, 0}, {0, 7}},     // Quorvel
      {{0, 7}, {0, 7}, {0, 8}},     // the dot
      {{0, 13}, {0, 13}, {0, 15}},  // 任意
      {{0, 16}, {0, 16}, {0, 20}},  // フォルダ
      {{0, 24}, {0, 22}, {0, 24}},  // at the end: the word before it
      {{1, 4}, {1, 4}, {1, 5}},     // the colon alone
  };
  for (const Case& c : cases) {
    const auto [begin, end] = t.WordAt(c.at);
    EXPECT_EQ(At(begin), At(c.begin)) << c.at.line << "," << c.at.column;
    EXPECT_EQ(At(end), At(c.end)) << c.at.line << "," << c.at.column;
  }
  EXPECT_EQ(At(t.NextWord({0, 0})), At({0, 7}));
  EXPECT_EQ(At(t.NextWord({0, 8})), At({0, 12})) << "over the space after the word";
  EXPECT_EQ(At(t.NextWord({0, 24})), At({1, 0}));
  EXPECT_EQ(At(t.PrevWord({0, 12})), At({0, 8}));
  EXPECT_EQ(At(t.PrevWord({1, 0})), At({0, 24}));
  EXPECT_EQ(At(t.PrevWord({1, 5})), At({1, 4}));
}

TEST(TextSelection, StartAndEndWhicheverWayItWasMade) {
  const TextSelection backwards{{3, 1}, {1, 5}};
  EXPECT_EQ(At(backwards.Start()), At({1, 5}));
  EXPECT_EQ(At(backwards.End()), At({3, 1}));
  EXPECT_FALSE(backwards.Empty());
  EXPECT_TRUE((TextSelection{{2, 2}, {2, 2}}).Empty());
}

}  // namespace
}  // namespace quorvel
