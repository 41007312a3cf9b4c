// The start-up and memory figures, measured from outside: Quorvel.exe and the floor program are
// started in turn, each timed from CreateProcess to its first visible window, then asked to
// close. The kinds of start alternate within every round, so that a slow moment of the machine
// falls on all of them alike.
//   quorvel_bench_startup.exe QUORVEL_EXE FLOOR_EXE WORK_FOLDER RUNS
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchKit.h"
#include "Handles.h"

namespace {

using namespace quorvel::bench;
using quorvel::win::UniqueHandle;

// Long enough for the work a program posts to itself while it comes up; memory is read then.
constexpr DWORD kSettleMs = 300;
constexpr double kGiveUpMs = 30000;

struct Kind {
  std::string name;
  std::wstring exe, folder, arguments;
  std::wstring freshSettings;  // copied over `settings` before every start; empty: none
  std::wstring settings;
  const wchar_t* windowClass;
  std::vector<double> ms, privateMiB, workingMiB;
};

HWND VisibleWindowOf(DWORD pid, const wchar_t* windowClass) {
  HWND w = nullptr;
  while ((w = FindWindowExW(nullptr, w, windowClass, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w))
      return w;
  }
  return nullptr;
}

[[noreturn]] void Fail(const Kind& kind, const char* what) {
  std::printf("error %s: %s\n", kind.name.c_str(), what);
  std::fflush(stdout);
  std::exit(1);
}

// Waits for the process to end; one that does not is ended, and the run fails.
void CloseAndWait(Kind& kind, HANDLE process, HWND window) {
  if (window)
    PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    Fail(kind, "did not end after WM_CLOSE");
  }
}

void RunOnce(Kind& kind, bool counted) {
  if (!kind.freshSettings.empty() &&
      !CopyFileW(kind.freshSettings.c_str(), kind.settings.c_str(), FALSE)) {
    Fail(kind, "cannot put the settings file in place");
  }
  std::wstring command = L"\"" + kind.exe + L"\"";
  if (!kind.arguments.empty())
    command += L" " + kind.arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double start = Now();
  if (!CreateProcessW(kind.exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      kind.folder.c_str(), &si, &pi)) {
    Fail(kind, "CreateProcessW failed");
  }
  const UniqueHandle process(pi.hProcess), thread(pi.hThread);
  HWND shown = nullptr;
  double visibleAt = 0;
  for (int polls = 1;; ++polls) {
    if ((shown = VisibleWindowOf(pi.dwProcessId, kind.windowClass)) != nullptr) {
      visibleAt = Now();
      break;
    }
    // The wait is the poll's pause: a millisecond, or less when the process ends.
    if (WaitForSingleObject(process.get(), 1) == WAIT_OBJECT_0)
      Fail(kind, "ended before its window showed");
    // Now and then, not at every poll, which would load the machine that is being timed.
    if (polls % 250 == 0 &&
        (Now() - start > kGiveUpMs || VisibleWindowOf(pi.dwProcessId, L"#32770"))) {
      // A message box instead of the strip: some file gave no icon.
      CloseAndWait(kind, process.get(), VisibleWindowOf(pi.dwProcessId, L"#32770"));
      Fail(kind, "no strip showed (a message box, or nothing, within 30 s)");
    }
  }
  Sleep(kSettleMs);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (!GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                            sizeof memory)) {
    Fail(kind, "GetProcessMemoryInfo failed");
  }
  CloseAndWait(kind, process.get(), shown);
  if (!counted)
    return;
  kind.ms.push_back(visibleAt - start);
  // Windows gives private bytes in both fields; Wine fills only PagefileUsage for another process.
  const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
  kind.privateMiB.push_back(static_cast<double>(privateBytes) / (1024.0 * 1024.0));
  kind.workingMiB.push_back(static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0));
}

void Report(const Kind& k) {
  std::vector<double> sorted = k.ms;
  std::sort(sorted.begin(), sorted.end());
  PrintDetail(
      "%s: start-up median %.1f ms (min %.1f, max %.1f, %zu runs); private %.2f MiB, "
      "working set %.2f MiB",
      k.name.c_str(), Median(k.ms), sorted.front(), sorted.back(), sorted.size(),
      Median(k.privateMiB), Median(k.workingMiB));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::printf("usage: quorvel_bench_startup QUORVEL_EXE FLOOR_EXE WORK_FOLDER RUNS\n");
    return 2;
  }
  const std::wstring quorvelExe = argv[1], floorExe = argv[2], work = argv[3];
  const int runs = _wtoi(argv[4]);
  const std::vector<std::wstring> paths = PickExecutables();
  if (paths.size() != kRegistrations) {
    std::printf("error no executable with an icon in the Windows folders\n");
    return 1;
  }

  // One folder per kind, each with its own copy of the program and its fresh settings.
  std::vector<Kind> kinds;
  const auto folder = [&](const wchar_t* name) {
    const std::wstring f = work + L"\\" + name;
    CreateDirectoryW(f.c_str(), nullptr);
    return f;
  };
  const std::wstring emptySettings = work + L"\\empty.ini", fullSettings = work + L"\\fifty.ini";
  const std::wstring emptyList = work + L"\\empty.txt", fullList = work + L"\\fifty.txt";
  if (!WriteWhole(emptySettings, Utf16Bytes(L"")) ||
      !WriteWhole(fullSettings, Utf16Bytes(SettingsText(paths))) ||
      !WriteWhole(emptyList, Utf16Bytes(L"")) ||
      !WriteWhole(fullList, Utf16Bytes(ListText(paths)))) {
    std::printf("error cannot write the input files in the work folder\n");
    return 1;
  }
  const auto quorvel = [&](const char* name, const wchar_t* sub, const std::wstring& fresh) {
    const std::wstring f = folder(sub);
    const std::wstring exe = f + L"\\Quorvel.exe";
    if (!CopyFileW(quorvelExe.c_str(), exe.c_str(), FALSE)) {
      std::printf("error cannot copy Quorvel.exe\n");
      std::exit(1);
    }
    kinds.push_back({name, exe, f, L"", fresh, f + L"\\Quorvel.ini", L"TForm1", {}, {}, {}});
  };
  const auto floorKind = [&](const char* name, const std::wstring& list) {
    kinds.push_back({name,
                     floorExe,
                     folder(L"floor"),
                     L"\"" + list + L"\"",
                     L"",
                     L"",
                     L"QuorvelBenchFloor",
                     {},
                     {},
                     {}});
  };
  floorKind("floor, empty", emptyList);
  quorvel("Quorvel, empty", L"quorvel-empty", emptySettings);
  floorKind("floor, 50", fullList);
  quorvel("Quorvel, 50", L"quorvel-50", fullSettings);

  // A first round that is not counted: the files come into the page cache.
  for (Kind& k : kinds)
    RunOnce(k, false);
  for (int r = 0; r < runs; ++r) {
    for (std::size_t i = 0; i < kinds.size(); ++i)
      RunOnce(kinds[(i + r) % kinds.size()], true);
  }

  for (const Kind& k : kinds)
    Report(k);
  PrintFigure("startup_empty", Median(kinds[1].ms), Median(kinds[0].ms), "ms");
  PrintFigure("startup_50", Median(kinds[3].ms), Median(kinds[2].ms), "ms");
  PrintFigure("private_50", Median(kinds[3].privateMiB), Median(kinds[2].privateMiB), "MiB");
  PrintFigure("working_50", Median(kinds[3].workingMiB), Median(kinds[2].workingMiB), "MiB");
  return 0;
}
