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

std::vector<char> ReadWhole(const std::wstring& path) {
  std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
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

TEST(Executable, StartsAndEndsCleanly) {
  std::wstring exe = QuorvelExe();
  std::wstring cmd = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi));
  quorvel::win::UniqueHandle process(pi.hProcess), thread(pi.hThread);
  ASSERT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 0u);
}

}  // namespace
