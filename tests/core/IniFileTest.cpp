#include <gtest/gtest.h>

#include "IniFile.h"

namespace quorvel {
namespace {

std::u16string RoundTrip(const std::u16string& value) {
  IniFile out;
  out.WriteString(u"tab", u"name0", value);
  const IniFile in(out.Text());
  return in.ReadString(u"tab", u"name0").value_or(u"<absent>");
}

TEST(IniFile, AwkwardValuesReadBackExactly) {
  const std::u16string cases[] = {
      u"",
      u"plain",
      u"  leading blanks",
      u"trailing blanks \t",
      u"\"quoted\"",
      u"'single'",
      u"\"",
      u"\"half",
      u"a=b;c[d]",
      u"[file]",
      u"よく使うもの",
      u"C:\\\U0001F600\\x.exe",
      u"lone \xD800 surrogate \xDFFF",
      std::u16string(40000, u'x'),
  };
  for (const auto& value : cases)
    EXPECT_EQ(RoundTrip(value), value);
}

TEST(IniFile, LineBreaksNeverReachTheFile) {
  IniFile ini;
  ini.WriteString(u"tab", u"name0", u"one\r\ntwo\nthree\rfour");
  ini.WriteString(u"tab", u"name1", std::u16string(u"nul\0here", 8));
  ini.WriteString(u"tab", u"name2", u"after");
  const IniFile back(ini.Text());
  EXPECT_EQ(back.ReadString(u"tab", u"name0"), u"one two three four");
  EXPECT_EQ(back.ReadString(u"tab", u"name1"), u"nulhere");
  EXPECT_EQ(back.ReadString(u"tab", u"name2"), u"after");
}

TEST(IniFile, NamesIgnoreCaseAndBlanks) {
  const IniFile ini(u"  [ Form ]  \r\n  TOP  =  120  \nLeft=\t-7\r");
  EXPECT_EQ(ini.ReadString(u"form", u"top"), u"120");
  EXPECT_EQ(ini.ReadInteger(u"FORM", u"left", 10), -7);
  EXPECT_EQ(ini.ReadString(u"form", u"width"), std::nullopt);
  EXPECT_EQ(ini.ReadString(u"other", u"top"), std::nullopt);
}

TEST(IniFile, EmptyValueIsPresent) {
  const IniFile ini(u"[tab]\r\nname0=\r\n");
  EXPECT_EQ(ini.ReadString(u"tab", u"name0"), u"");
  EXPECT_EQ(ini.ReadString(u"tab", u"name1"), std::nullopt);
}

TEST(IniFile, FirstOfDuplicatesCountsForReadAndWrite) {
  IniFile ini(u"[a]\r\nk=1\r\nk=2\r\n[A]\r\nk=3\r\nj=4\r\n");
  EXPECT_EQ(ini.ReadString(u"a", u"k"), u"1");
  EXPECT_EQ(ini.ReadString(u"a", u"j"), std::nullopt);
  ini.WriteString(u"a", u"k", u"9");
  EXPECT_EQ(ini.Text(), u"[a]\r\nk=9\r\nk=2\r\n[A]\r\nk=3\r\nj=4\r\n");
}

TEST(IniFile, Integers) {
  const std::pair<std::u16string, std::int32_t> cases[] = {
      {u"12", 12},
      {u"+7", 7},
      {u"-40", -40},
      {u" 5 ", 5},
      {u"\"8\"", 8},
      {u"1x", 10},
      {u"", 10},
      {u"-", 10},
      {u"0x10", 10},
      {u"1.5", 10},
      {u"2147483647", 2147483647},
      {u"2147483648", 10},
      {u"-2147483648", -2147483647 - 1},
      {u"-2147483649", 10},
      {u"99999999999999999999", 10},
      {u"１２", 10},
  };
  for (const auto& [text, expected] : cases) {
    const IniFile ini(u"[form]\r\ntop=" + text + u"\r\n");
    EXPECT_EQ(ini.ReadInteger(u"form", u"top", 10), expected);
  }
}

TEST(IniFile, WritesKeepEveryOtherLineWhereItStood) {
  const std::u16string original =
      u"; written by hand\r\n"
      u"[file]\r\n"
      u"name0=C:\\a.exe\r\n"
      u"junk line\r\n"
      u"name99=kept\r\n"
      u"\r\n"
      u"[mine]\r\n"
      u"x = y \r\n";
  IniFile ini(original);
  ini.WriteString(u"file", u"name0", u"C:\\b.exe");
  ini.WriteString(u"file", u"name1", u"C:\\c.exe");
  ini.WriteString(u"tab", u"name0", u"hint");
  EXPECT_EQ(ini.Text(),
            u"; written by hand\r\n"
            u"[file]\r\n"
            u"name0=C:\\b.exe\r\n"
            u"junk line\r\n"
            u"name99=kept\r\n"
            u"name1=C:\\c.exe\r\n"
            u"\r\n"
            u"[mine]\r\n"
            u"x = y \r\n"
            u"[tab]\r\n"
            u"name0=hint\r\n");
}

TEST(IniFile, NewFileHasSectionsInTheOrderOfTheWrites) {
  IniFile ini;
  ini.WriteInteger(u"form", u"top", 1);
  ini.WriteString(u"file", u"name0", u"a");
  ini.WriteInteger(u"form", u"left", 2);
  ini.WriteString(u"file", u"name1", u"b");
  EXPECT_EQ(ini.Text(), u"[form]\r\ntop=1\r\nleft=2\r\n[file]\r\nname0=a\r\nname1=b\r\n");
}

TEST(IniFile, LongLinesAndManyLinesAreFine) {
  std::u16string text = u"[file]\r\nname0=" + std::u16string(1 << 20, u'p') + u"\r\n";
  for (int i = 0; i < 200000; ++i)
    text += u"junk\r\n";
  IniFile ini(text);
  EXPECT_EQ(ini.ReadString(u"file", u"name0")->size(), std::size_t{1} << 20);
  ini.WriteString(u"file", u"name1", u"x");
  EXPECT_EQ(IniFile(ini.Text()).ReadString(u"file", u"name1"), u"x");
}

}  // namespace
}  // namespace quorvel
