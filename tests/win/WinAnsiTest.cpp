#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WinAnsi.h"

namespace {

using quorvel::win::DecodeCodePage;

std::vector<std::uint8_t> B(std::string_view s) {
  return {s.begin(), s.end()};
}

TEST(WinAnsi, DecodesTheSystemCodePage) {
  quorvel::win::Win32AnsiDecoder ansi;
  EXPECT_EQ(ansi.DecodeAnsi(B("C:\\Tools\\app.exe\r\n")), u"C:\\Tools\\app.exe\r\n");
  EXPECT_EQ(ansi.DecodeAnsi({}), u"");
  // Beyond ASCII the result depends on the code page; compare with the system's own answer.
  const std::vector<std::uint8_t> high = {0x41, 0xE9, 0x80, 0xA9, 0xFF};
  wchar_t expected[8] = {};
  const int n = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(high.data()),
                                    static_cast<int>(high.size()), expected, 8);
  ASSERT_GT(n, 0);
  EXPECT_EQ(ansi.DecodeAnsi(high), std::u16string(expected, expected + n));
  if (GetACP() == 1252) {
    EXPECT_EQ(ansi.DecodeAnsi(high), u"A\u00E9\u20AC\u00A9\u00FF");
  }
}

TEST(WinAnsi, PiecesNeverSplitACharacter) {
  struct Case {
    const char* label;
    UINT codePage;
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"1252", 1252, "caf\xE9 \x80 na\xEFve", u"caf\u00E9 \u20AC na\u00EFve"},
      // 0x95 0x5C is one character whose trail byte is a backslash.
      {"932 trail bytes", 932, "a\x93\xFA\x96\x7B\x8C\xEA\\\x95\x5C",
       u"a\u65E5\u672C\u8A9E\\\u8868"},
      {"utf-8", CP_UTF8, "a\xE6\x97\xA5\xF0\x9F\x98\x80z", u"a\u65E5\U0001F600z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    for (std::size_t piece : {4, 5, 6, 7, 100}) {
      EXPECT_EQ(DecodeCodePage(c.codePage, B(c.bytes), piece), c.text) << "pieces of " << piece;
    }
  }
}

}  // namespace
