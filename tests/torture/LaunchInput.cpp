// Paths of every shape a user has: launched exactly as stored, and nothing in them is ever read
// as an option of the program started.
#include <windows.h>
#include <shellapi.h>

#include "Torture.h"
#include "TortureKit.h"
#include "WinFiles.h"

namespace quorvel::torture {

namespace {

constexpr wchar_t kLogVariable[] = L"QUORVEL_PROBE_LOG";

std::wstring SelfPath() {
  std::wstring p(32768, L'\0');
  p.resize(GetModuleFileNameW(nullptr, p.data(), static_cast<DWORD>(p.size())));
  return p;
}

// The probes' log: UTF-16 lines without a byte-order mark.
std::wstring ReadLog(const std::filesystem::path& log) {
  const std::vector<char> b = ReadWhole(log);
  return std::wstring(reinterpret_cast<const wchar_t*>(b.data()), b.size() / sizeof(wchar_t));
}

// Both names lead to one file: a path beyond MAX_PATH is started by its short name.
bool SameFile(const std::wstring& started, const std::wstring& stored) {
  return _wcsicmp(quorvel::win::ShellReachablePath(started).c_str(),
                  quorvel::win::ShellReachablePath(stored).c_str()) == 0;
}

}  // namespace

bool IsProbe() {
  return GetEnvironmentVariableW(kLogVariable, nullptr, 0) > 0;
}

int RunProbe() {
  wchar_t log[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(kLogVariable, log, MAX_PATH))
    return 1;
  int argc = 0;
  const LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  // By its long name: a program stored beyond MAX_PATH is started by its short one. Asked with
  // the "\\?\" prefix, which lets the answer exceed MAX_PATH.
  const std::wstring asStarted = SelfPath();
  const std::wstring prefixed = L"\\\\?\\" + asStarted;
  std::wstring self(32768, L'\0');
  self.resize(GetLongPathNameW(prefixed.c_str(), self.data(), static_cast<DWORD>(self.size())));
  if (self.rfind(L"\\\\?\\", 0) == 0)
    self.erase(0, 4);
  const std::wstring line = self + L"\t" + std::to_wstring(argc) + L"\t" +
                            (argv && argc > 0 ? argv[0] : L"") + L"\t" + asStarted + L"\n";
  LocalFree(const_cast<LPWSTR*>(argv));
  // Several probes may write at once: append under the file's own lock.
  for (int attempt = 0; attempt < 100; ++attempt) {
    quorvel::win::UniqueHandle f(CreateFileW(log, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (f) {
      DWORD wrote = 0;
      WriteFile(f.get(), line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &wrote,
                nullptr);
      return 0;
    }
    Sleep(10);
  }
  return 2;
}

Outcome LaunchInput(const Options&) {
  Outcome o;
  o.name = "launch input";
  const TempFolder root;
  const std::wstring shapes[] = {
      L"with spaces in it",
      L"a,b,select,c",
      L"ツール 集",
      L"\U0001F600 emoji",
      L"-s --flag",
      std::wstring(120, L'L') + L"\\" + std::wstring(120, L'M') + L"\\" + std::wstring(60, L'N'),
  };
  std::vector<std::wstring> probes;
  for (const auto& shape : shapes) {
    const auto folder = root.Path() / shape;
    std::error_code e;
    std::filesystem::create_directories(folder, e);
    const auto probe = folder / L"probe tool.exe";
    if (!CopyFileW(SelfPath().c_str(), probe.c_str(), FALSE)) {
      o.note += L"[could not make " + shape.substr(0, 20) + L"] ";
      continue;
    }
    probes.push_back(probe.wstring());
  }
  const auto log = root.Path() / L"probe.log";
  SetEnvironmentVariableW(kLogVariable, log.c_str());  // the program and its children inherit it

  const Stage stage;
  std::wstring text = L"[form]\r\ntop=40\r\nleft=40\r\n[file]\r\n";
  for (std::size_t k = 0; k < probes.size(); ++k)
    text += L"name" + std::to_wstring(k) + L"=" + probes[k] + L"\r\n";
  WriteBytes(stage.Ini(), Utf16File(text));
  const QuorvelProcess quorvel(stage.Exe());
  const DialogWatcher watcher(quorvel.Id(), DialogWatcher::Answer::Ok);
  const HWND strip = quorvel.WaitForStrip();
  if (!strip) {
    o.Fail(false, L"the strip never showed");
    return o;
  }
  for (std::size_t k = 0; k < probes.size(); ++k) {
    ++o.cases;
    Press(strip, WM_LBUTTONDOWN, MK_LBUTTON, 18 + 32 * static_cast<int>(k), 42);
    Sleep(300);
  }
  WaitUntil(
      [&] {
        const std::wstring l = ReadLog(log);
        return std::count(l.begin(), l.end(), L'\n') >= static_cast<long>(probes.size());
      },
      20000);
  // Each line: long name, argument count, argv[0], the module's own name.
  struct Start {
    std::wstring argv0, module;
    int args;
  };
  std::vector<Start> started;
  const std::wstring lines = ReadLog(log);
  for (std::size_t at = 0; at < lines.size();) {
    const std::size_t end = std::min(lines.find(L'\n', at), lines.size());
    const std::wstring line = lines.substr(at, end - at);
    const std::size_t t1 = line.find(L'\t'), t2 = line.find(L'\t', t1 + 1), t3 = line.rfind(L'\t');
    if (t1 != std::wstring::npos && t2 != std::wstring::npos && t3 > t2)
      started.push_back({line.substr(t2 + 1, t3 - t2 - 1), line.substr(t3 + 1),
                         _wtoi(line.substr(t1 + 1).c_str())});
    at = end + 1;
  }
  for (const auto& probe : probes) {
    bool asStored = false;
    // By the name it was started with: Wine reports the module of a program started by its
    // short name under another folder's name.
    for (const Start& st : started)
      asStored = asStored || (st.args == 1 && SameFile(st.argv0, probe));
    if (!asStored)
      o.Fail(false, L"not started as stored, or with options: " +
                        probe.substr(root.Path().wstring().size()));
  }
  PostMessageW(strip, WM_CLOSE, 0, 0);
  quorvel.WaitForExit();
  o.Saw(watcher.Texts());
  const auto file = WholeSettings(stage.Ini());
  if (!file)
    o.Fail(true, L"the file written is not whole");
  else if (const auto missing = Missing(*file, probes); !missing.empty())
    o.Fail(false, L"lost " + missing.front());
  std::size_t longest = 0;
  for (const auto& p : probes)
    longest = std::max(longest, p.size());
  o.note = L"longest path " + std::to_wstring(longest) + L" characters; no UNC share under Wine";
  return o;
}

}  // namespace quorvel::torture
