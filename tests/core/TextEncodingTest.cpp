#include <gtest/gtest.h>

#include "Fakes.h"
#include "TextEncoding.h"

namespace quorvel {
namespace {

Bytes B(std::initializer_list<int> v) {
  Bytes b;
  for (int x : v)
    b.push_back(static_cast<std::uint8_t>(x));
  return b;
}

TEST(TextEncoding, DecodesEachKindOfFile) {
  struct Case {
    const char* name;
    Bytes bytes;
    std::u16string text;
    bool viaAnsi;
  };
  const Case cases[] = {
      {"utf16le bom", B({0xFF, 0xFE, 'a', 0, 0x42, 0x30}), u"a\u3042", false},
      {"utf16le truncated", B({0xFF, 0xFE, 'a', 0, 'b'}), u"a", false},
      {"utf16le lone surrogate", B({0xFF, 0xFE, 0x00, 0xD8, 'x', 0}), u"\xD800x", false},
      {"utf16be bom", B({0xFE, 0xFF, 0, 'a', 0x30, 0x42}), u"a\u3042", false},
      {"utf8 bom", B({0xEF, 0xBB, 0xBF, 0xE3, 0x81, 0x82}), u"\u3042", false},
      {"utf8 plain", B({'a', 0xF0, 0x9F, 0x98, 0x80}), u"a\U0001F600", false},
      {"ansi", B({'a', 0xE9, 'b'}), u"a\u00E9b", true},
      {"overlong utf8 is ansi", B({0xC0, 0xAF}), u"\u00C0\u00AF", true},
      {"encoded surrogate is ansi", B({0xED, 0xA0, 0x80}), u"\u00ED\u00A0\u0080", true},
      {"truncated utf8 is ansi", B({'a', 0xE3, 0x81}), u"a\u00E3\u0081", true},
      {"beyond U+10FFFF is ansi", B({0xF4, 0x90, 0x80, 0x80}), u"\u00F4\u0090\u0080\u0080", true},
      {"stray continuation is ansi", B({'a', 0x80}), u"a\u0080", true},
      {"utf8 bom then damage: the rest is ansi", B({0xEF, 0xBB, 0xBF, 'a', 0xFF}), u"a\u00FF",
       true},
      {"utf16be truncated", B({0xFE, 0xFF, 0, 'a', 0}), u"a", false},
      {"bom alone", B({0xFF, 0xFE}), u"", false},
      {"highest code point", B({0xF4, 0x8F, 0xBF, 0xBF}), u"\U0010FFFF", false},
      {"empty", B({}), u"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::FakeAnsi ansi;
    EXPECT_EQ(DecodeSettingsText(c.bytes, ansi), c.text);
    EXPECT_EQ(ansi.calls > 0, c.viaAnsi);
  }
}

TEST(TextEncoding, WritesUtf16LeWithBomThatReadsBack) {
  const std::u16string text = u"[tab]\r\nname0=仕事用 \U0001F600 \xDC00\r\n";
  const Bytes b = EncodeUtf16LeWithBom(text);
  ASSERT_GE(b.size(), 2u);
  EXPECT_EQ(b[0], 0xFF);
  EXPECT_EQ(b[1], 0xFE);
  EXPECT_EQ(b.size(), 2 + 2 * text.size());
  test::FakeAnsi ansi;
  EXPECT_EQ(DecodeSettingsText(b, ansi), text);
}

}  // namespace
}  // namespace quorvel
