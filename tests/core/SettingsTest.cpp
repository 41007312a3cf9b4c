#include <gtest/gtest.h>

#include "Decimal.h"
#include "Fakes.h"
#include "IniFile.h"
#include "Settings.h"
#include "TextEncoding.h"

namespace quorvel {
namespace {

using test::FakeAnsi;
using test::FakeDialogs;
using test::FakeFiles;
using test::FakeIconPort;
using test::IconOutcome;

const std::u16string kIni = u"C:\\Apps\\Quorvel.ini";
const Rect kScreen{0, 0, 1920, 1040};

class SettingsTest : public ::testing::Test {
 protected:
  FakeIconPort icons;
  FakeDialogs dialogs;
  FakeFiles files;
  FakeAnsi ansi;
  SlotGrid grid{icons, dialogs};
  FormBounds form{0, 0, 321, 61};

  void Store(const std::u16string& text) { files.files[kIni] = EncodeUtf16LeWithBom(text); }
  std::u16string Stored() {
    const Bytes& b = files.files.at(kIni);
    return DecodeSettingsText(b, ansi);
  }
  void Load() {
    const Rect areas[] = {kScreen};
    EXPECT_TRUE(LoadSettings(kIni, files, ansi, grid, form, areas));
  }
  std::u16string Save() {
    const auto error = SaveSettings(kIni, files, ansi, grid, form);
    EXPECT_FALSE(error.has_value());
    return Stored();
  }
};

TEST(SettingsPathFor, ReplacesTheFileNamesExtension) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"C:\\Apps\\Quorvel.exe", u"C:\\Apps\\Quorvel.ini"},
      {u"C:\\Apps\\Other.name.exe", u"C:\\Apps\\Other.name.ini"},
      {u"C:\\my.apps\\Quorvel", u"C:\\my.apps\\Quorvel.ini"},
      {u"D:\\ツール\\起動.EXE", u"D:\\ツール\\起動.ini"},
      {u"C:/my.apps/Quorvel.exe", u"C:/my.apps/Quorvel.ini"},
      {u"C:\\my.apps/Quorvel", u"C:\\my.apps/Quorvel.ini"},
      {u"C:/my.apps\\Quorvel", u"C:/my.apps\\Quorvel.ini"},
      {u"Quorvel.exe", u"Quorvel.ini"},
      {u"Quorvel", u"Quorvel.ini"},
  };
  for (const auto& [exe, ini] : cases)
    EXPECT_EQ(SettingsPathFor(exe), ini);
}

TEST_F(SettingsTest, FirstStartHasDefaultsAndTheFirstCloseWritesEveryKey) {
  Load();
  EXPECT_EQ(form.Left, 10);
  EXPECT_EQ(form.Top, 10);
  for (int t = 0; t < kTabCount; ++t) {
    EXPECT_EQ(grid.LastSlot[t], -1);
    EXPECT_EQ(grid.TabItems[t].Hint, u"ヒント " + std::u16string(1, u'0' + t));
  }
  EXPECT_TRUE(dialogs.notified.empty());
  const IniFile written(Save());
  EXPECT_EQ(written.ReadString(u"form", u"top"), u"10");
  for (int k = 0; k < 55; ++k) {
    const std::string key = "name" + std::to_string(k);
    EXPECT_EQ(written.ReadString(u"file", std::u16string(key.begin(), key.end())), u"");
  }
  EXPECT_EQ(written.ReadString(u"tab", u"name4"), u"ヒント 4");
}

TEST_F(SettingsTest, SaveOfTheExampleArrangementGivesTheCanonicalText) {
  for (const char16_t* p :
       {u"C:\\Tools\\edit.exe", u"C:\\Program Files\\Viewer\\view.exe", u"D:\\Games\\chess.exe"}) {
    grid.AddFileToTab(0, p);
  }
  grid.AddFileToTab(1, u"C:\\Work\\calc.exe");
  Load();  // no file yet: hints "ヒント 0".."ヒント 4", position 10, 10
  grid.TabItems[0].Hint = u"よく使うもの";
  grid.TabItems[1].Hint = u"仕事用";
  form.Left = 640;
  form.Top = 120;

  std::u16string expected = u"[form]\r\ntop=120\r\nleft=640\r\n[file]\r\n";
  const std::u16string paths[55] = {u"C:\\Tools\\edit.exe",
                                    u"C:\\Program Files\\Viewer\\view.exe",
                                    u"D:\\Games\\chess.exe",
                                    u"",
                                    u"",
                                    u"",
                                    u"",
                                    u"",
                                    u"",
                                    u"",
                                    u"",
                                    u"C:\\Work\\calc.exe"};
  for (int k = 0; k < 55; ++k) {
    const std::string key = "name" + std::to_string(k) + "=";
    expected += std::u16string(key.begin(), key.end()) + paths[k] + u"\r\n";
  }
  expected +=
      u"[tab]\r\nname0=よく使うもの\r\nname1=仕事用\r\nname2=ヒント 2\r\n"
      u"name3=ヒント 3\r\nname4=ヒント 4\r\n";
  const std::u16string text = Save();
  EXPECT_EQ(text, expected);
  EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 65);

  // A fresh start reproduces it, and saving again changes no byte.
  const Bytes first = files.files.at(kIni);
  SlotGrid again(icons, dialogs);
  FormBounds form2{0, 0, 321, 61};
  const Rect areas[] = {kScreen};
  EXPECT_TRUE(LoadSettings(kIni, files, ansi, again, form2, areas));
  EXPECT_EQ(again.SlotImages[0][2].SlotPath, u"D:\\Games\\chess.exe");
  EXPECT_EQ(again.SlotImages[1][0].SlotPath, u"C:\\Work\\calc.exe");
  EXPECT_EQ(form2.Left, 640);
  EXPECT_EQ(form2.Top, 120);
  ASSERT_FALSE(SaveSettings(kIni, files, ansi, again, form2).has_value());
  EXPECT_EQ(files.files.at(kIni), first);
}

TEST_F(SettingsTest, GapsCloseUpAndTheNextSaveRenumbers) {
  Store(u"[file]\r\nname2=C:\\a.exe\r\nname5=C:\\b.exe\r\nname13=C:\\c.exe\r\n");
  Load();
  EXPECT_EQ(grid.SlotImages[0][0].SlotPath, u"C:\\a.exe");
  EXPECT_EQ(grid.SlotImages[0][1].SlotPath, u"C:\\b.exe");
  EXPECT_EQ(grid.SlotImages[1][0].SlotPath, u"C:\\c.exe");
  const IniFile written(Save());
  EXPECT_EQ(written.ReadString(u"file", u"name0"), u"C:\\a.exe");
  EXPECT_EQ(written.ReadString(u"file", u"name1"), u"C:\\b.exe");
  EXPECT_EQ(written.ReadString(u"file", u"name2"), u"");
  EXPECT_EQ(written.ReadString(u"file", u"name5"), u"");
  EXPECT_EQ(written.ReadString(u"file", u"name11"), u"C:\\c.exe");
}

TEST_F(SettingsTest, APathWithoutIconIsReportedOnceAndDropped) {
  Store(u"[file]\r\nname0=C:\\gone.exe\r\nname1=C:\\a.exe\r\nname2=C:\\b.exe\r\n");
  icons.outcomes[u"C:\\gone.exe"] = IconOutcome::NoIcon;
  Load();
  ASSERT_EQ(dialogs.notified.size(), 1u);
  EXPECT_EQ(dialogs.notified[0], NoIconMessage(u"C:\\gone.exe"));
  EXPECT_EQ(grid.SlotImages[0][0].SlotPath, u"C:\\a.exe");
  EXPECT_EQ(grid.SlotImages[0][1].SlotPath, u"C:\\b.exe");
  EXPECT_EQ(IniFile(Save()).ReadString(u"file", u"name2"), u"");
}

TEST_F(SettingsTest, TheEleventhPathOfATabIsUsedOnlyWhenThereIsRoom) {
  for (bool full : {true, false}) {
    SCOPED_TRACE(full);
    std::u16string text = u"[file]\r\n";
    for (int k = 0; k <= 10; ++k) {
      if (!full && k == 4)
        continue;
      const std::string line = "name" + std::to_string(k) + "=C:\\p" + std::to_string(k) + "\r\n";
      text += std::u16string(line.begin(), line.end());
    }
    Store(text);
    SlotGrid fresh(icons, dialogs);
    const Rect areas[] = {kScreen};
    EXPECT_TRUE(LoadSettings(kIni, files, ansi, fresh, form, areas));
    EXPECT_EQ(fresh.LastSlot[0], 9);
    EXPECT_EQ(fresh.SlotImages[0][9].SlotPath, full ? u"C:\\p9" : u"C:\\p10");
    EXPECT_TRUE(dialogs.notified.empty());
  }
}

TEST_F(SettingsTest, HintsAndPositionsAsStored) {
  Store(u"[form]\r\ntop=-40\r\nleft=-1000\r\n[tab]\r\nname0=\r\nname3=仕事\r\n");
  const Rect left{-1280, 0, 0, 984};
  const Rect areas[] = {kScreen, left};
  EXPECT_TRUE(LoadSettings(kIni, files, ansi, grid, form, areas));
  EXPECT_EQ(grid.TabItems[0].Hint, u"");
  EXPECT_EQ(grid.TabItems[1].Hint, u"ヒント 1");
  EXPECT_EQ(grid.TabItems[3].Hint, u"仕事");
  EXPECT_EQ(form.Left, -1000) << "within the left display's columns";
  EXPECT_EQ(form.Top, 50) << "above every work area: brought back";

  Store(u"[form]\r\ntop=100\r\nleft=-1000\r\n");
  EXPECT_TRUE(LoadSettings(kIni, files, ansi, grid, form, areas));
  EXPECT_EQ(form.Left, -1000) << "wholly on the left display";
  EXPECT_EQ(form.Top, 100);

  Store(u"[form]\r\ntop=abc\r\nleft=300\r\n");
  Load();
  EXPECT_EQ(form.Top, 10);
  EXPECT_EQ(form.Left, 300);
}

TEST_F(SettingsTest, ForeignContentSurvivesASaveWhereItStood) {
  Store(
      u"; edited by hand\n"
      u"[Form]\n"
      u"  Top = 300 \n"
      u"width=999\n"
      u"\n"
      u"[file]\n"
      u"name0 = C:\\a.exe\n"
      u"name60=C:\\beyond.exe\n"
      u"# note\n"
      u"[other]\n"
      u"key=value\n"
      u"[tab]\n"
      u"name9=x\n");
  Load();
  EXPECT_EQ(grid.LastSlot[0], 0) << "keys beyond name54 are never read";

  std::u16string expected =
      u"; edited by hand\r\n"
      u"[Form]\r\n"
      u"top=300\r\n"
      u"width=999\r\n"
      u"left=10\r\n"
      u"\r\n"
      u"[file]\r\n"
      u"name0=C:\\a.exe\r\n"
      u"name60=C:\\beyond.exe\r\n";
  for (int k = 1; k < 55; ++k)
    expected += u"name" + Decimal(k) + u"=\r\n";
  expected +=
      u"# note\r\n"
      u"[other]\r\n"
      u"key=value\r\n"
      u"[tab]\r\n"
      u"name9=x\r\n";
  for (int i = 0; i < kTabCount; ++i)
    expected += u"name" + Decimal(i) + u"=ヒント " + Decimal(i) + u"\r\n";
  EXPECT_EQ(Save(), expected);
}

TEST_F(SettingsTest, DamagedFilesGiveDefaultsAndKeepTheirLines) {
  Bytes noise(512);
  for (std::size_t i = 0; i < noise.size(); ++i)
    noise[i] = static_cast<std::uint8_t>(i * 37);
  const std::string unterminated = "[file\r\nname0=C:\\a.exe\r\n[form\r\ntop=1";
  const std::pair<const char*, Bytes> cases[] = {
      {"one byte", Bytes{0xFF}},
      {"a BOM alone", Bytes{0xFF, 0xFE}},
      {"truncated UTF-16", Bytes{0xFF, 0xFE, '[', 0, 'f'}},
      {"headers without ]", Bytes(unterminated.begin(), unterminated.end())},
      {"binary noise", noise},
      {"a 1 MB line", Bytes(1 << 20, '=')},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    files.files[kIni] = bytes;
    SlotGrid fresh(icons, dialogs);
    FormBounds bounds{0, 0, 321, 61};
    const Rect areas[] = {kScreen};
    EXPECT_TRUE(LoadSettings(kIni, files, ansi, fresh, bounds, areas));
    EXPECT_EQ(bounds.Left, 10);
    EXPECT_EQ(bounds.Top, 10);
    EXPECT_EQ(fresh.LastSlot[0], -1);
    EXPECT_EQ(fresh.TabItems[0].Hint, u"ヒント 0");
    EXPECT_TRUE(dialogs.notified.empty());

    // Whatever the file held comes first, line by line; the program's sections follow it.
    const std::u16string before = IniFile(DecodeSettingsText(bytes, ansi)).Text();
    ASSERT_FALSE(SaveSettings(kIni, files, ansi, fresh, bounds).has_value());
    const std::u16string after = Stored();
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(IniFile(after).ReadString(u"tab", u"name4"), u"ヒント 4");
  }
}

TEST_F(SettingsTest, AwkwardHintsAndPathsComeBackAsTheyWere) {
  const std::u16string values[] = {
      u"",
      u"  padded  ",
      u"\"quoted\"",
      u"'single'",
      u"a=b;c[d]",
      u"[file]",
      u"よく使うもの \U0001F600",
      u"lone \xD800 and \xDFFF",
      std::u16string(40000, u'x'),
  };
  for (std::size_t i = 0; i < std::size(values); ++i) {
    SCOPED_TRACE(i);
    const std::u16string& value = values[i];
    SlotGrid source(icons, dialogs);
    source.TabItems[2].Hint = value;
    if (!value.empty())
      source.AddFileToTab(3, u"C:\\" + value + u".exe");
    ASSERT_FALSE(SaveSettings(kIni, files, ansi, source, form).has_value());

    SlotGrid loaded(icons, dialogs);
    const Rect areas[] = {kScreen};
    EXPECT_TRUE(LoadSettings(kIni, files, ansi, loaded, form, areas));
    EXPECT_EQ(loaded.TabItems[2].Hint, value);
    EXPECT_EQ(loaded.SlotImages[3][0].SlotPath, value.empty() ? u"" : u"C:\\" + value + u".exe");
  }
}

TEST_F(SettingsTest, OlderAnsiFilesAreRead) {
  const std::string ansiText = "[tab]\r\nname0=caf\xE9\r\n";
  files.files[kIni] = Bytes(ansiText.begin(), ansiText.end());
  Load();
  EXPECT_EQ(grid.TabItems[0].Hint, u"caf\u00E9");
  EXPECT_EQ(Save().substr(0, 6), u"[tab]\r");
  EXPECT_EQ(files.files.at(kIni)[0], 0xFF) << "rewritten as UTF-16LE with BOM";
}

TEST_F(SettingsTest, AFailedSaveReportsTheFileAndKeepsTheOldOne) {
  Store(u"[form]\r\ntop=1\r\n");
  const Bytes before = files.files.at(kIni);
  grid.AddFileToTab(0, u"C:\\a.exe");
  files.failWrites = true;
  EXPECT_EQ(SaveSettings(kIni, files, ansi, grid, form), kIni + u" に書き込めません");
  EXPECT_EQ(files.files.at(kIni), before);
  EXPECT_EQ(grid.LastSlot[0], 0);
  files.failWrites = false;
  EXPECT_EQ(IniFile(Save()).ReadString(u"file", u"name0"), u"C:\\a.exe") << "the next close works";
}

// A file that is there but cannot be read (another program holds it locked) is never written
// over: the strip shows none of its registrations, and saving them would lose every one.
TEST_F(SettingsTest, AFileThatCannotBeReadIsNeverWrittenOver) {
  Store(u"[file]\r\nname0=C:\\a.exe\r\n[mine]\r\nx=1\r\n");
  const Bytes stored = files.files.at(kIni);
  files.unreadable.insert(kIni);
  const Rect areas[] = {kScreen};
  EXPECT_FALSE(LoadSettings(kIni, files, ansi, grid, form, areas));
  EXPECT_EQ(grid.LastSlot[0], -1);
  EXPECT_EQ(SaveSettings(kIni, files, ansi, grid, form), kIni + u" に書き込めません");
  EXPECT_EQ(files.files.at(kIni), stored);

  files.unreadable.clear();  // once it can be read, it is read and written as ever
  SlotGrid again(icons, dialogs);
  EXPECT_TRUE(LoadSettings(kIni, files, ansi, again, form, areas));
  EXPECT_EQ(again.SlotImages[0][0].SlotPath, u"C:\\a.exe");
  EXPECT_FALSE(SaveSettings(kIni, files, ansi, again, form).has_value());
  EXPECT_NE(Stored().find(u"[mine]\r\nx=1\r\n"), std::u16string::npos);
}

}  // namespace
}  // namespace quorvel
