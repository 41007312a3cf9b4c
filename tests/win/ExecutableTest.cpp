// The shipped executable itself: a 64-bit GUI program that needs nothing but system DLLs.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "Handles.h"
#include "QuorvelProcess.h"
#include "TempFolder.h"

namespace {

using namespace quorvel::test;

struct PeImage {
  std::vector<char> bytes;
  const IMAGE_NT_HEADERS64* nt = nullptr;

  explicit PeImage(std::vector<char> b) : bytes(std::move(b)) {
    if (bytes.size() < sizeof(IMAGE_DOS_HEADER))
      return;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
      return;
    if (bytes.size() < static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64))
      return;
    nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(bytes.data() + dos->e_lfanew);
  }

  // File offset of a relative virtual address.
  const char* At(DWORD rva) const {
    const IMAGE_SECTION_HEADER* s = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++s) {
      if (rva >= s->VirtualAddress && rva < s->VirtualAddress + s->Misc.VirtualSize) {
        const size_t off = rva - s->VirtualAddress + s->PointerToRawData;
        return off < bytes.size() ? bytes.data() + off : nullptr;
      }
    }
    return nullptr;
  }

  std::vector<std::string> ImportedDlls() const {
    std::vector<std::string> names;
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const auto* desc = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(At(dir.VirtualAddress));
    for (; desc && desc->Name != 0; ++desc) {
      std::string name = At(desc->Name);
      std::transform(name.begin(), name.end(), name.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
      names.push_back(name);
    }
    return names;
  }
};

TEST(Executable, IsA64BitGuiProgramImportingSystemDllsOnly) {
  const PeImage pe(ReadWhole(BuiltQuorvelExe()));
  ASSERT_NE(pe.nt, nullptr) << "not a PE file";
  EXPECT_EQ(pe.nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
  EXPECT_EQ(pe.nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
  EXPECT_EQ(pe.nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

  const std::set<std::string> system = {
      "kernel32.dll",      "user32.dll",  "gdi32.dll",    "shell32.dll",
      "comctl32.dll",      "ole32.dll",   "oleaut32.dll", "comdlg32.dll",
      "windowscodecs.dll", "shlwapi.dll", "advapi32.dll", "msvcrt.dll",
      "msimg32.dll",       "uxtheme.dll", "dwmapi.dll",   "shcore.dll"};
  const auto dlls = pe.ImportedDlls();
  EXPECT_FALSE(dlls.empty());
  for (const auto& dll : dlls) {
    const bool apiSet = dll.rfind("api-ms-win-", 0) == 0;
    EXPECT_TRUE(system.count(dll) || apiSet) << dll << " is not a system DLL";
  }
}

// Started on a prepared settings file and closed as the system closes it, the program writes
// the file back in its canonical form: nothing stored is lost, gaps are closed.
// A folder with a copy of the program and the settings file it is to start on.
class ExecutableTest : public ::testing::Test {
 protected:
  ExecutableTest() {
    std::filesystem::copy_file(std::filesystem::path(BuiltQuorvelExe()), exe);
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    notepad = std::wstring(windows) + L"\\notepad.exe";
  }

  TempFolder folder;
  std::filesystem::path exe = folder.Path() / L"Quorvel.exe";
  std::filesystem::path ini = folder.Path() / L"Quorvel.ini";
  std::wstring notepad;
};

// Started on a prepared settings file and closed as the system closes it, the program writes
// the file back in its canonical form: nothing stored is lost, gaps are closed.
TEST_F(ExecutableTest, ClosingWritesTheSettingsBack) {
  WriteUtf16(ini, L"[form]\r\ntop=120\r\nleft=300\r\n[file]\r\nname3=" + notepad + L"\r\nname11=" +
                      notepad + L"\r\n[tab]\r\nname1=仕事用\r\n[mine]\r\nx=1\r\n");
  const QuorvelProcess quorvel(exe);
  ASSERT_TRUE(quorvel.Started());
  const HWND strip = quorvel.WaitForStrip();
  ASSERT_NE(strip, nullptr) << "the strip never showed";
  RECT r{};
  GetWindowRect(strip, &r);
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.top, 120);
  EXPECT_TRUE(GetWindowLongPtrW(strip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  PostMessageW(strip, WM_CLOSE, 0, 0);
  EXPECT_EQ(quorvel.WaitForExit(), 0u);

  std::wstring expected =
      L"[form]\r\ntop=120\r\nleft=300\r\n[file]\r\nname3=\r\nname11=" + notepad + L"\r\n";
  // name3 stood in the file first, so it keeps its line; the rest follow in order.
  expected += L"name0=" + notepad + L"\r\n";
  for (int k = 1; k < 55; ++k) {
    if (k == 3 || k == 11)
      continue;
    expected += L"name" + std::to_wstring(k) + L"=\r\n";
  }
  expected +=
      L"[tab]\r\nname1=仕事用\r\nname0=ヒント 0\r\nname2=ヒント 2\r\nname3=ヒント 3\r\n"
      L"name4=ヒント 4\r\n[mine]\r\nx=1\r\n";
  EXPECT_EQ(ReadUtf16(ini), expected);
}

// The display's scale as the system reports it to programs started while it is set.
class ScopedLogPixels {
 public:
  explicit ScopedLogPixels(DWORD dpi) {
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                  &key_);
    DWORD size = sizeof old_;
    had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_),
                            &size) == ERROR_SUCCESS;
    RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
  }
  ~ScopedLogPixels() {
    if (had_)
      RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_),
                     sizeof old_);
    else
      RegDeleteValueW(key_, L"LogPixels");
    RegCloseKey(key_);
  }
  ScopedLogPixels(const ScopedLogPixels&) = delete;
  ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 96;
  bool had_ = false;
};

// At 150 % the strip starts at its scaled size where it was left; the position is in
// physical pixels and is kept as stored.
TEST_F(ExecutableTest, StartsScaledOnADisplayOfAnotherScale) {
  WriteUtf16(ini, L"[form]\r\ntop=100\r\nleft=200\r\n[file]\r\nname0=" + notepad + L"\r\n");
  const ScopedLogPixels scale(144);
  const QuorvelProcess quorvel(exe);
  const HWND strip = quorvel.WaitForStrip();
  ASSERT_NE(strip, nullptr);
  RECT r{};
  GetWindowRect(strip, &r);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right - r.left, 482);
  EXPECT_EQ(r.bottom - r.top, 92);
  PostMessageW(strip, WM_CLOSE, 0, 0);
  EXPECT_EQ(quorvel.WaitForExit(), 0u);
  EXPECT_NE(ReadUtf16(ini).find(L"name0=" + notepad), std::wstring::npos);
}

}  // namespace

namespace {

HWND TrayWindowOf(const QuorvelProcess& p) {
  const auto found = WindowsOf(p.Id(), L"QuorvelTrayWindow", false);
  return found.empty() ? nullptr : found.front();
}

// A second start from the same executable brings up the running strip and ends; the first
// keeps its one strip and its one icon.
TEST_F(ExecutableTest, ASecondStartShowsTheRunningStripAndEnds) {
  WriteUtf16(ini, L"[form]\r\ntop=50\r\nleft=50\r\n");
  const QuorvelProcess first(exe);
  const HWND strip = first.WaitForStrip();
  ASSERT_NE(strip, nullptr);
  const HWND tray = TrayWindowOf(first);
  ASSERT_NE(tray, nullptr);
  PostMessageW(tray, 0x401, 1, WM_LBUTTONDOWN);  // hidden from the icon
  for (int i = 0; i < 100 && IsWindowVisible(strip); ++i)
    Sleep(10);
  ASSERT_FALSE(IsWindowVisible(strip));

  const QuorvelProcess second(exe);
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_TRUE(WindowsOf(second.Id(), L"TForm1", false).empty());
  for (int i = 0; i < 100 && !IsWindowVisible(strip); ++i)
    Sleep(10);
  EXPECT_TRUE(IsWindowVisible(strip)) << "the running strip came up";
  EXPECT_EQ(WindowsOf(first.Id(), L"TForm1", false).size(), 1u);
  EXPECT_EQ(WindowsOf(first.Id(), L"QuorvelTrayWindow", false).size(), 1u);

  // No window of the program has a taskbar button.
  HWND w = nullptr;
  while ((w = FindWindowExW(nullptr, w, nullptr, nullptr)) != nullptr) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    const LONG_PTR ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
    if (pid == first.Id() && IsWindowVisible(w)) {
      EXPECT_TRUE((ex & WS_EX_TOOLWINDOW) && !(ex & WS_EX_APPWINDOW));
    }
  }
  PostMessageW(strip, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitForExit(), 0u);
}

// Logoff and shutdown reach a tray program only as end-session messages: the settings are
// written then, with the window where the user left it.
TEST_F(ExecutableTest, TheEndOfTheSessionWritesTheSettings) {
  WriteUtf16(ini, L"[form]\r\ntop=70\r\nleft=90\r\n[file]\r\nname0=" + notepad + L"\r\n");
  const QuorvelProcess quorvel(exe);
  const HWND strip = quorvel.WaitForStrip();
  ASSERT_NE(strip, nullptr);
  SetWindowPos(strip, nullptr, 140, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(strip, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK,
                                  10000, &answer));
  EXPECT_EQ(answer, TRUE);
  const std::wstring text = ReadUtf16(ini);
  EXPECT_EQ(text.rfind(L"[form]\r\ntop=160\r\nleft=140\r\n[file]\r\nname0=" + notepad, 0), 0u)
      << "written before the session ends";
  SendMessageTimeoutW(strip, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000, &answer);
  PostMessageW(strip, WM_CLOSE, 0, 0);
  EXPECT_EQ(quorvel.WaitForExit(), 0u);
}

}  // namespace
