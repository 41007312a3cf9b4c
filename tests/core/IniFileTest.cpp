#include <gtest/gtest.h>

#include <vector>

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
  ini.WriteString(u"tab", u"name2", u"\r\n");
  ini.WriteString(u"tab", u"name3", u"x\n[form]\ntop=999");
  const IniFile back(ini.Text());
  EXPECT_EQ(back.ReadString(u"tab", u"name0"), u"one two three four");
  EXPECT_EQ(back.ReadString(u"tab", u"name1"), u"nulhere");
  EXPECT_EQ(back.ReadString(u"tab", u"name2"), u" ");
  EXPECT_EQ(back.ReadString(u"tab", u"name3"), u"x [form] top=999");
  EXPECT_EQ(back.ReadString(u"form", u"top"), std::nullopt);
}

// A NUL stored in a file (damage) is left out on reading as on writing, so the value the program
// holds is the one it writes back, and a second save changes nothing.
TEST(IniFile, ANulInAStoredValueReadsAsItWillBeWritten) {
  using namespace std::string_view_literals;
  const IniFile damaged(u"[file]\r\nname0=C:\\a\0b.exe\r\n"sv);
  const auto value = damaged.ReadString(u"file", u"name0");
  EXPECT_EQ(value, u"C:\\ab.exe");
  IniFile rewritten(damaged.Text());
  rewritten.WriteString(u"file", u"name0", *value);
  EXPECT_EQ(IniFile(rewritten.Text()).ReadString(u"file", u"name0"), value);
}

TEST(IniFile, ReadsNamesAndValuesAsProfileFunctionsDo) {
  struct Case {
    const char* name;
    std::u16string text, section, key;
    std::optional<std::u16string> value;
  };
  const Case cases[] = {
      {"names ignore case", u"[Form]\r\nTOP=1\r\n", u"form", u"top", u"1"},
      {"blanks around names and =", u"  [ form ]  \r\n \t top \t=\t 1 \r\n", u"form", u"top", u"1"},
      {"LF and CR end lines too", u"[form]\nleft=2\rtop=3", u"form", u"top", u"3"},
      {"empty value is present", u"[tab]\r\nname0=\r\n", u"tab", u"name0", u""},
      {"absent key", u"[tab]\r\nname0=\r\n", u"tab", u"name1", std::nullopt},
      {"absent section", u"[tab]\r\nname0=x\r\n", u"file", u"name0", std::nullopt},
      {"text after the header", u"[file] ; paths\r\nname0=a\r\n", u"file", u"name0", u"a"},
      {"first = splits", u"[s]\r\nk=a=b\r\n", u"s", u"k", u"a=b"},
      {"double quotes stripped", u"[s]\r\nk = \"  padded  \" \r\n", u"s", u"k", u"  padded  "},
      {"single quotes stripped", u"[s]\r\nk='x'\r\n", u"s", u"k", u"x"},
      {"only one pair stripped", u"[s]\r\nk=\"\"x\"\"\r\n", u"s", u"k", u"\"x\""},
      {"unmatched quotes kept", u"[s]\r\nk=\"x'\r\n", u"s", u"k", u"\"x'"},
      {"a key before any header is in no section", u"k=1\r\n[s]\r\n", u"s", u"k", std::nullopt},
      {"a line without = is no key", u"[s]\r\nk\r\n", u"s", u"k", std::nullopt},
      {"[ without ] opens no section", u"[file]\r\n[broken\r\nname1=b\r\n", u"file", u"name1",
       u"b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IniFile(c.text).ReadString(c.section, c.key), c.value);
  }
}

TEST(IniFile, FirstOfDuplicatesCountsForReadAndWrite) {
  IniFile ini(u"[a]\r\nk=1\r\nk=2\r\n[A]\r\nk=3\r\nj=4\r\n");
  EXPECT_EQ(ini.ReadString(u"a", u"k"), u"1");
  EXPECT_EQ(ini.ReadString(u"a", u"j"), std::nullopt);
  ini.WriteString(u"a", u"k", u"9");
  ini.WriteString(u"a", u"j", u"5");
  EXPECT_EQ(ini.Text(), u"[a]\r\nk=9\r\nk=2\r\nj=5\r\n[A]\r\nk=3\r\nj=4\r\n");
  EXPECT_EQ(IniFile(ini.Text()).ReadString(u"A", u"j"), u"5");
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
  struct Write {
    std::u16string section, key, value;
  };
  struct Case {
    const char* name;
    std::u16string original;
    std::vector<Write> writes;
    std::u16string expected;
  };
  const Case cases[] = {
      {"hand-written file",
       u"; written by hand\r\n[file]\r\nname0=C:\\a.exe\r\njunk line\r\nname99=kept\r\n\r\n"
       u"[mine]\r\nx = y \r\n",
       {{u"file", u"name0", u"C:\\b.exe"},
        {u"file", u"name1", u"C:\\c.exe"},
        {u"tab", u"name0", u"h"}},
       u"; written by hand\r\n[file]\r\nname0=C:\\b.exe\r\njunk line\r\nname99=kept\r\n"
       u"name1=C:\\c.exe\r\n\r\n[mine]\r\nx = y \r\n[tab]\r\nname0=h\r\n"},
      {"no final line break, LF and CR endings",
       u"[x]\na=1\rb=2",
       {{u"x", u"c", u"3"}, {u"y", u"k", u"v"}},
       u"[x]\r\na=1\r\nb=2\r\nc=3\r\n[y]\r\nk=v\r\n"},
      {"an existing key of other case and blanks becomes canonical",
       u"[ FORM ]\r\n  TOP = 5 \r\n",
       {{u"form", u"top", u"7"}},
       u"[ FORM ]\r\ntop=7\r\n"},
      {"keys added to an earlier section can be rewritten",
       u"[a]\r\nk=1\r\n\r\n[b]\r\nz=0\r\n",
       {{u"a", u"n", u"2"},
        {u"a", u"m", u"3"},
        {u"b", u"y", u"9"},
        {u"a", u"n", u"4"},
        {u"a", u"k", u"5"}},
       u"[a]\r\nk=5\r\nn=4\r\nm=3\r\n\r\n[b]\r\nz=0\r\ny=9\r\n"},
      {"a damaged header is kept as a line",
       u"[file]\r\n[broken\r\nname0=a\r\n",
       {{u"file", u"name0", u"b"}, {u"file", u"name1", u"c"}},
       u"[file]\r\n[broken\r\nname0=b\r\nname1=c\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IniFile ini(c.original);
    for (const Write& w : c.writes)
      ini.WriteString(w.section, w.key, w.value);
    EXPECT_EQ(ini.Text(), c.expected);
  }
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
