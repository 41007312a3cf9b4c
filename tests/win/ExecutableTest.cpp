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
#include "TempFolder.h"

namespace {

// The build gives a host path; under Wine the host's root is drive Z:.
std::wstring QuorvelExe() {
  std::string p = QUORVEL_EXE_PATH;
  if (!p.empty() && p[0] == '/') {
    std::replace(p.begin(), p.end(), '/', '\\');
    p = "Z:" + p;
  }
  return std::wstring(p.begin(), p.end());
}

std::vector<char> ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

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
  const PeImage pe(ReadWhole(QuorvelExe()));
  ASSERT_NE(pe.nt, nullptr) << "not a PE file";
  EXPECT_EQ(pe.nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
  EXPECT_EQ(pe.nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
  EXPECT_EQ(pe.nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

  const std::set<std::string> system = {
      "kernel32.dll", "user32.dll",   "gdi32.dll",    "shell32.dll",       "comctl32.dll",
      "ole32.dll",    "oleaut32.dll", "comdlg32.dll", "windowscodecs.dll", "shlwapi.dll",
      "advapi32.dll", "msvcrt.dll",   "uxtheme.dll",  "dwmapi.dll",        "shcore.dll"};
  const auto dlls = pe.ImportedDlls();
  EXPECT_FALSE(dlls.empty());
  for (const auto& dll : dlls) {
    const bool apiSet = dll.rfind("api-ms-win-", 0) == 0;
    EXPECT_TRUE(system.count(dll) || apiSet) << dll << " is not a system DLL";
  }
}

// Started on a prepared settings file and closed as the system closes it, the program writes
// the file back in its canonical form: nothing stored is lost, gaps are closed.
TEST(Executable, ClosingWritesTheSettingsBack) {
  quorvel::test::TempFolder folder;
  const auto exe = folder.Path() / L"Quorvel.exe";
  std::filesystem::copy_file(std::filesystem::path(QuorvelExe()), exe);
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring notepad = std::wstring(windows) + L"\\notepad.exe";
  const std::wstring stored = L"[form]\r\ntop=120\r\nleft=300\r\n[file]\r\nname3=" + notepad +
                              L"\r\nname11=" + notepad +
                              L"\r\n[tab]\r\nname1=仕事用\r\n[mine]\r\nx=1\r\n";
  std::vector<unsigned char> bytes = {0xFF, 0xFE};
  for (wchar_t c : stored) {
    bytes.push_back(static_cast<unsigned char>(c & 0xFF));
    bytes.push_back(static_cast<unsigned char>(c >> 8));
  }
  quorvel::test::WriteBytes(folder.Path() / L"Quorvel.ini", bytes);

  std::wstring cmd = L"\"" + exe.wstring() + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.Path().c_str(), &si, &pi));
  quorvel::win::UniqueHandle process(pi.hProcess), thread(pi.hThread);
  HWND strip = nullptr;
  for (int i = 0; i < 500 && !strip; ++i) {
    Sleep(20);
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, L"TForm1", L"Form1")) != nullptr) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == pi.dwProcessId && IsWindowVisible(w))
        strip = w;
    }
  }
  ASSERT_NE(strip, nullptr) << "the strip never showed";
  RECT r{};
  GetWindowRect(strip, &r);
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.top, 120);
  EXPECT_TRUE(GetWindowLongPtrW(strip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  PostMessageW(strip, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 0u);

  const std::vector<char> written = ReadWhole(folder.Path() / L"Quorvel.ini");
  ASSERT_GE(written.size(), 2u);
  const std::wstring text(reinterpret_cast<const wchar_t*>(written.data() + 2),
                          (written.size() - 2) / 2);
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
  EXPECT_EQ(text, expected);
}

}  // namespace
