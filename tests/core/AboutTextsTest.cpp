#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "AboutTexts.h"

namespace quorvel {
namespace {

// The window shows the guide two lines lower: the version line and an empty one go first.
class AboutTextsTest : public ::testing::Test {
 protected:
  const std::vector<std::u16string> guide = GuideLines();
  const std::u16string& Shown(int line) const { return guide.at(line - 2); }
  static bool StartsWith(const std::u16string& s, std::u16string_view prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
  }
};

TEST_F(AboutTextsTest, HeadingsAndEmptyLinesSitAtTheirLines) {
  ASSERT_EQ(guide.size(), 68u);
  struct Heading {
    int line;
    std::u16string_view text;
  };
  const Heading headings[] = {
      {2, u"・ソフトの概要"},
      {5, u"・作者への連絡先(下記アドレスのXYZをアットマークに変えてメールしてください)"},
      {8, u"・取り扱い種別"},
      {9, u"フリーソフト"},
      {11, u"・動作環境"},
      {14, u"・インストール・アンインストール方法"},
      {18, kRightsNotice},
      {20, u"【起動】"},
      {26, u"【アプリの登録方法】"},
      {33, u"【主機能】"},
      {36, u"【登録したアイコンについて】"},
      {41, u"【タブについて】"},
      {46, u"【ポップアップメニューについて】"},
      {53, u"【諸データの記憶】"},
      {59, u"【仕様】"},
      {64, u"【変更履歴】"},
  };
  for (const Heading& h : headings)
    EXPECT_EQ(Shown(h.line), h.text) << "line " << h.line;

  const int empty[] = {4, 7, 10, 13, 17, 25, 32, 35, 40, 45, 52, 58, 63, 69};
  for (int line = 2; line <= 69; ++line) {
    const bool shouldBeEmpty =
        std::find(std::begin(empty), std::end(empty), line) != std::end(empty);
    EXPECT_EQ(Shown(line).empty(), shouldBeEmpty) << "line " << line;
  }
}

TEST_F(AboutTextsTest, TheFirstBlockStatesItsFacts) {
  EXPECT_NE(Shown(3).find(u"ランチャー"), std::u16string::npos);
  EXPECT_NE(Shown(6).find(u"XYZ"), std::u16string::npos);
  EXPECT_EQ(Shown(6).find(u'@'), std::u16string::npos) << "the at sign is spelt XYZ";
  EXPECT_NE(Shown(12).find(u"Windows 11"), std::u16string::npos);
  EXPECT_NE(Shown(15).find(u"Quorvel.exe"), std::u16string::npos);
  EXPECT_EQ(Shown(19), std::u16string(78, u'/'));
  EXPECT_EQ(kVersionText, u"Quorvel V1.2");
}

TEST_F(AboutTextsTest, IndentsFollowTheirSections) {
  for (int line = 21; line <= 24; ++line) {
    EXPECT_TRUE(StartsWith(Shown(line), u" ")) << line;
    EXPECT_FALSE(StartsWith(Shown(line), u"  ")) << line;
  }
  EXPECT_TRUE(StartsWith(Shown(27), u"1."));
  EXPECT_TRUE(StartsWith(Shown(29), u"2."));
  for (int line : {28, 30, 31})
    EXPECT_TRUE(StartsWith(Shown(line), u"\u3000")) << line;
  for (int line = 37; line <= 39; ++line) {
    EXPECT_EQ(std::count(Shown(line).begin(), Shown(line).end(), u':'), 1) << line;
    EXPECT_FALSE(StartsWith(Shown(line), u":")) << "an action comes first";
  }
  EXPECT_TRUE(StartsWith(Shown(65), u"V1.0 2026/04/05"));
  EXPECT_TRUE(StartsWith(Shown(66), u"V1.1 2026/04/09"));
  EXPECT_TRUE(StartsWith(Shown(67), u"V1.2 2026/05/01"));
  EXPECT_TRUE(StartsWith(Shown(68), u"  ")) << "the second line of the last entry";
  EXPECT_FALSE(StartsWith(Shown(68), u"   "));
}

TEST_F(AboutTextsTest, MenuCommandsAreNamedInMenuOrder) {
  const std::u16string_view commands[] = {
      u"ファイルを開いてアクティブタブに追加", u"アクティブタブにヒント文字を設定",
      u"隠す(表示はタスクトレイアイコンをクリック)", u"About表示", u"Quorvelの終了"};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(Shown(47 + i), commands[i]);
}

TEST_F(AboutTextsTest, RangesTakeTheFullWidthTildeAndParenthesesAreAscii) {
  std::u16string all;
  for (const auto& line : guide)
    all += line + u"\n";
  for (std::u16string_view range : {u"アプリ1～アプリ5", u"(1～50)", u"(1～5)"})
    EXPECT_NE(all.find(range), std::u16string::npos) << "a range is missing";
  for (char16_t wrong : {u'~', u'\u301C', u'\uFF08', u'\uFF09', u'\uFF1A'})
    EXPECT_EQ(all.find(wrong), std::u16string::npos) << "U+" << std::hex << int(wrong);
  EXPECT_NE(all.find(u"(※name10,name21,name32,name43,name54はダミーです)"), std::u16string::npos);
  EXPECT_NE(all.find(u"Quorvel.ini"), std::u16string::npos);
  // Ideographic spaces only open the registration steps' continuation lines.
  for (size_t i = 0; i < guide.size(); ++i) {
    const size_t at = guide[i].find(u'\u3000');
    if (at != std::u16string::npos) {
      EXPECT_TRUE(at == 0 && (i + 2 == 28 || i + 2 == 30 || i + 2 == 31)) << "line " << i + 2;
    }
  }
}

}  // namespace
}  // namespace quorvel
