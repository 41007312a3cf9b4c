// What every fault class needs: a folder with a copy of the program, its settings file written
// and read back, the program started and closed, and a check that a file is whole.
#pragma once

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DialogWatcher.h"
#include "IniFile.h"
#include "QuorvelProcess.h"
#include "TempFolder.h"

namespace quorvel::torture {

using quorvel::test::QuorvelProcess;
using quorvel::test::ReadUtf16;
using quorvel::test::ReadWhole;
using quorvel::test::TempFolder;

inline std::wstring WindowsDir() {
  wchar_t dir[MAX_PATH] = {};
  GetWindowsDirectoryW(dir, MAX_PATH);
  return dir;
}

// Real programs with icons, as a user registers them.
inline std::vector<std::wstring> RealPrograms() {
  const std::wstring w = WindowsDir();
  return {w + L"\\notepad.exe", w + L"\\regedit.exe", w + L"\\system32\\winhlp32.exe",
          w + L"\\system32\\cmd.exe", w + L"\\system32\\control.exe"};
}

inline std::vector<char> Utf16File(const std::wstring& text) {
  std::vector<char> b = {'\xFF', '\xFE'};
  for (const wchar_t c : text) {
    b.push_back(static_cast<char>(c & 0xFF));
    b.push_back(static_cast<char>(c >> 8));
  }
  return b;
}

inline bool WriteBytes(const std::filesystem::path& path, const std::vector<char>& bytes) {
  quorvel::win::UniqueHandle f(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f)
    return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 24));
    if (!WriteFile(f.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0)
      return false;
    done += wrote;
  }
  return true;
}

// The settings as the program writes them: a BOM, then the three sections with every key.
// nullopt when the file is missing or not such a file.
inline std::optional<IniFile> WholeSettings(const std::filesystem::path& ini) {
  const std::vector<char> b = ReadWhole(ini);
  if (b.size() < 2 || b[0] != '\xFF' || b[1] != '\xFE' || b.size() % 2 != 0)
    return std::nullopt;
  const std::u16string text(reinterpret_cast<const char16_t*>(b.data() + 2), (b.size() - 2) / 2);
  IniFile file(text);
  for (const char16_t* key : {u"top", u"left"}) {
    if (!file.ReadString(u"form", key))
      return std::nullopt;
  }
  for (int k = 0; k < 55; ++k) {
    const std::string n = "name" + std::to_string(k);
    if (!file.ReadString(u"file", std::u16string(n.begin(), n.end())))
      return std::nullopt;
  }
  for (int k = 0; k < 5; ++k) {
    const std::string n = "name" + std::to_string(k);
    if (!file.ReadString(u"tab", std::u16string(n.begin(), n.end())))
      return std::nullopt;
  }
  return file;
}

// The registered paths of a whole settings file, in file order.
inline std::vector<std::wstring> RegisteredPaths(const IniFile& file) {
  std::vector<std::wstring> paths;
  for (int k = 0; k < 55; ++k) {
    const std::string n = "name" + std::to_string(k);
    const auto v = file.ReadString(u"file", std::u16string(n.begin(), n.end()));
    if (v && !v->empty())
      paths.emplace_back(v->begin(), v->end());
  }
  return paths;
}

// The paths of `wanted` that `file` lacks.
inline std::vector<std::wstring> Missing(const IniFile& file,
                                         const std::vector<std::wstring>& wanted) {
  const auto have = RegisteredPaths(file);
  std::vector<std::wstring> missing;
  for (const auto& w : wanted) {
    bool found = false;
    for (const auto& h : have)
      found = found || _wcsicmp(h.c_str(), w.c_str()) == 0;
    if (!found)
      missing.push_back(w);
  }
  return missing;
}

// A folder of the run's own holding a copy of the program.
class Stage {
 public:
  Stage() { std::filesystem::copy_file(quorvel::test::BuiltQuorvelExe(), Exe()); }
  explicit Stage(const std::filesystem::path& in) : base_(in) {
    std::filesystem::create_directories(in);
    std::filesystem::copy_file(quorvel::test::BuiltQuorvelExe(), Exe(),
                               std::filesystem::copy_options::overwrite_existing);
  }
  std::filesystem::path Folder() const { return base_ ? *base_ : folder_.Path(); }
  std::filesystem::path Exe() const { return Folder() / L"Quorvel.exe"; }
  std::filesystem::path Ini() const { return Folder() / L"Quorvel.ini"; }

 private:
  TempFolder folder_;
  std::optional<std::filesystem::path> base_;
};

inline bool WaitUntil(const std::function<bool()>& done, int ms) {
  for (int waited = 0; waited < ms; waited += 10) {
    if (done())
      return true;
    Sleep(10);
  }
  return done();
}

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(f.QuadPart);
}

inline LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

// A press at a logical point of the strip (it runs at 96 DPI here).
inline void Press(HWND strip, UINT msg, WPARAM buttons, int x, int y) {
  PostMessageW(strip, msg, buttons, MAKELPARAM(x, y));
}

inline HWND TrayWindowOf(DWORD pid) {
  const auto found = quorvel::test::WindowsOf(pid, L"QuorvelTrayWindow", false);
  return found.empty() ? nullptr : found.front();
}

}  // namespace quorvel::torture
