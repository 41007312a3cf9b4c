// The small ports: shell, ANSI text, displays, the exe's own path.
#include <windows.h>

#include <gtest/gtest.h>

#include "Displays.h"
#include "ExePath.h"
#include "TempFolder.h"
#include "WinAnsi.h"
#include "WinShell.h"

namespace quorvel::win {
namespace {

TEST(WinShell, AMissingFileIsReportedWithAnErrorCode) {
  test::TempFolder folder;
  Win32ShellPort shell;
  const auto r = shell.Execute(u"OPEN", folder.File(L"missing.exe"), u"", std::u16string());
  EXPECT_EQ(r & 0xFFFF, 2u);
  // A missing folder: Windows says 3, Wine 2; both are failures.
  const auto r2 = shell.Execute(u"OPEN", folder.File(L"no\\such\\x.exe"), u"", std::u16string());
  EXPECT_LT(r2 & 0xFFFF, 32u);
}

TEST(WinAnsi, DecodesTheCodePage) {
  Win32AnsiDecoder ansi;
  const Bytes ascii = {'C', ':', '\\', 'a', '.', 'e', 'x', 'e'};
  EXPECT_EQ(ansi.DecodeAnsi(ascii), u"C:\\a.exe");
  EXPECT_EQ(ansi.DecodeAnsi({}), u"");
  // Whatever the code page, a long text stays whole and no byte is lost.
  const Bytes big(1 << 20, 'x');
  EXPECT_EQ(ansi.DecodeAnsi(big).size(), big.size());
  const Bytes high = {'a', 0xE9};
  EXPECT_GE(ansi.DecodeAnsi(high).size(), 2u);
  if (GetACP() == 1252) {
    EXPECT_EQ(ansi.DecodeAnsi(high), u"a\u00E9");
  }
}

TEST(Displays, EveryWorkAreaHasASize) {
  const auto areas = WorkAreas();
  ASSERT_FALSE(areas.empty());
  for (const Rect& a : areas) {
    EXPECT_GT(a.Right, a.Left);
    EXPECT_GT(a.Bottom, a.Top);
  }
}

TEST(ExePath, NamesThisProgram) {
  const std::u16string path = ExePath();
  ASSERT_GT(path.size(), 13u);
  EXPECT_EQ(path.substr(path.size() - 13), u"win_tests.exe");
  EXPECT_EQ(path[1], u':');
}

}  // namespace
}  // namespace quorvel::win
