// The settings file through the real ports: what the core writes, Windows itself reads back.
#include <windows.h>

#include <gtest/gtest.h>

#include "Settings.h"
#include "TempFolder.h"
#include "WinAnsi.h"
#include "WinFiles.h"
#include "WinIcons.h"
#include "Handles.h"
#include "Utf16.h"

namespace quorvel::win {
namespace {

class NoDialogs : public DialogPort {
 public:
  std::vector<std::u16string> notified;
  bool Notify(const std::u16string& m) override {
    notified.push_back(m);
    return true;
  }
  bool AskYesNo(const std::u16string&) override { return false; }
  void ShowError(const std::u16string&) override {}
};

std::wstring Profile(const std::u16string& ini, const wchar_t* section, const wchar_t* key) {
  std::wstring buffer(4096, L'\0');
  const DWORD n = GetPrivateProfileStringW(section, key, L"<absent>", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), ToWide(ini).c_str());
  buffer.resize(n);
  return buffer;
}

// The real ports, in a folder of the test's own.
class SettingsFile : public ::testing::Test {
 protected:
  ComApartment com;
  test::TempFolder folder;
  Win32IconPort icons;
  NoDialogs dialogs;
  Win32FilePort files;
  Win32AnsiDecoder ansi;
};

TEST_F(SettingsFile, WindowsProfileFunctionsReadWhatASaveWrote) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::u16string notepad = ToU16(std::wstring(windows) + L"\\notepad.exe");

  SlotGrid grid(icons, dialogs);
  grid.AddFileToTab(0, notepad);
  grid.TabItems[0].Hint = u"よく使うもの \U0001F600";
  grid.TabItems[1].Hint = u"  blanks kept  ";
  grid.TabItems[2].Hint = u"";
  const FormBounds form{-40, 120, 321, 61};
  const std::u16string ini = folder.File(L"Quorvel \u8d77\u52d5.ini");
  ASSERT_EQ(SaveSettings(ini, files, ansi, grid, form), std::nullopt);

  EXPECT_EQ(Profile(ini, L"form", L"top"), L"120");
  EXPECT_EQ(Profile(ini, L"form", L"left"), L"-40");
  EXPECT_EQ(Profile(ini, L"file", L"name0"), ToWide(notepad));
  EXPECT_EQ(Profile(ini, L"file", L"name1"), L"");
  EXPECT_EQ(Profile(ini, L"tab", L"name0"), L"よく使うもの \U0001F600");
  EXPECT_EQ(Profile(ini, L"tab", L"name1"), L"  blanks kept  ");
  EXPECT_EQ(Profile(ini, L"tab", L"name2"), L"");

  // And the next start restores the same arrangement.
  SlotGrid again(icons, dialogs);
  FormBounds placed{0, 0, 321, 61};
  const Rect screen[] = {{-100, 0, 1920, 1040}};
  EXPECT_TRUE(LoadSettings(ini, files, ansi, again, placed, screen));
  EXPECT_TRUE(dialogs.notified.empty());
  EXPECT_EQ(again.SlotImages[0][0].SlotPath, notepad);
  EXPECT_NE(again.SlotImages[0][0].Picture, nullptr);
  EXPECT_EQ(again.TabItems[1].Hint, u"  blanks kept  ");
  EXPECT_EQ(placed.Left, -40);
  EXPECT_EQ(placed.Top, 120);
}

TEST_F(SettingsFile, AnUnwritableSettingsFileIsReportedAndKept) {
  SlotGrid grid(icons, dialogs);
  // A folder standing where the file should be cannot be replaced.
  std::filesystem::create_directory(folder.Path() / L"Quorvel.ini");
  const std::u16string ini = folder.File(L"Quorvel.ini");
  EXPECT_EQ(SaveSettings(ini, files, ansi, grid, FormBounds{10, 10, 321, 61}),
            ini + u" に書き込めません");
  EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Quorvel.ini"});
}

}  // namespace
}  // namespace quorvel::win
