// Faults while the settings are written: each is told to the user, the strip stays, and the
// next close once the fault is gone writes everything; a save cut short leaves the old file or
// the new one, whole.
#include <cstring>
#include <random>

#include "Torture.h"
#include "TortureKit.h"

namespace quorvel::torture {

namespace {

std::wstring Arrangement(int left, int top) {
  const auto real = RealPrograms();
  std::wstring s = L"[form]\r\ntop=" + std::to_wstring(top) + L"\r\nleft=" + std::to_wstring(left) +
                   L"\r\n[file]\r\n";
  for (int k = 0; k < 3; ++k)
    s += L"name" + std::to_wstring(k) + L"=" + real[k] + L"\r\n";
  return s;
}

// Windows will not move the folder of a running program, nor will Wine's own calls; the system
// beneath Wine will. So where Windows refuses, the move is asked of /bin/mv, when there is one.
bool MoveAnyway(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (MoveFileW(from.c_str(), to.c_str()))
    return true;
  using UnixName = char*(CDECL*)(LPCWSTR);
  const auto unixName = reinterpret_cast<UnixName>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
  if (!unixName)
    return false;
  char* a = unixName(from.c_str());
  char* b = unixName(to.c_str());
  std::wstring cmd = L"/bin/mv";
  for (const char* p : {a, b})
    cmd += L" " + std::wstring(p, p + (p ? std::strlen(p) : 0));
  HeapFree(GetProcessHeap(), 0, a);
  HeapFree(GetProcessHeap(), 0, b);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(L"Z:\\bin\\mv", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    return false;
  }
  const quorvel::win::UniqueHandle process(pi.hProcess), thread(pi.hThread);
  // The handle of a program beneath Wine may signal before it has run: watch for the result.
  return WaitUntil(
      [&] {
        return GetFileAttributesW(from.c_str()) == INVALID_FILE_ATTRIBUTES &&
               GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES;
      },
      10000);
}

std::vector<std::wstring> ThreePrograms() {
  const auto real = RealPrograms();
  return {real.begin(), real.begin() + 3};
}

// Starts the program, lets `fault` break the save, closes: the close must be refused with a
// message while `fault` lasts, and succeed after `mend`.
void RefusedThenWritten(Outcome& o, const std::wstring& name, const Stage& stage,
                        const std::function<bool()>& fault, const std::function<void()>& mend) {
  ++o.cases;
  const QuorvelProcess quorvel(stage.Exe());
  const DialogWatcher watcher(quorvel.Id(), DialogWatcher::Answer::Ok);
  const HWND strip = quorvel.WaitForStrip();
  if (!strip) {
    o.Fail(false, name + L": the strip never showed");
    return;
  }
  SetWindowPos(strip, nullptr, 222, 111, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!fault()) {
    o.note += L"[" + name + L": fault could not be made] ";
    mend();
    PostMessageW(strip, WM_CLOSE, 0, 0);
    quorvel.WaitForExit();
    return;
  }
  PostMessageW(strip, WM_CLOSE, 0, 0);
  const bool told = WaitUntil([&] { return !watcher.Texts().empty(); }, 10000);
  WaitUntil([&] { return watcher.OpenBox() == nullptr; }, 5000);
  const bool stayed = quorvel.WaitForExit(300) == STILL_ACTIVE && IsWindow(strip);
  mend();
  // Wine takes a moment to see a folder that came back beneath it.
  Sleep(3000);
  PostMessageW(strip, WM_CLOSE, 0, 0);
  DWORD code = quorvel.WaitForExit();
  if (code == STILL_ACTIVE) {
    // As a user would, the close is asked for again.
    o.note += L"[" + name + L": the first close after the fault went unanswered] ";
    PostMessageW(strip, WM_CLOSE, 0, 0);
    code = quorvel.WaitForExit();
  }
  o.Saw(watcher.Texts());
  if (!told || !stayed) {
    o.Fail(false, name + (told ? L": the strip went with the failed save" : L": nothing told"));
    return;
  }
  if (code != 0) {
    // Nothing may be lost even so: what was stored before must still be there.
    TerminateProcess(quorvel.Handle(), 1);
    quorvel.WaitForExit();
    const std::wstring text = ReadUtf16(stage.Ini());
    bool kept = true;
    for (const auto& p : ThreePrograms())
      kept = kept && text.find(p) != std::wstring::npos;
    if (kept)
      o.note +=
          L"[" + name + L": the program did not end after its closes; the stored file is intact] ";
    else
      o.Fail(false,
             name + L": the program did not end after its closes, and the file lost its programs");
    return;
  }
  const auto file = WholeSettings(stage.Ini());
  if (!file) {
    o.Fail(true, name + L": the file written is not whole");
    return;
  }
  if (!Missing(*file, ThreePrograms()).empty() || file->ReadInteger(u"form", u"left", 0) != 222)
    o.Fail(false, name + L": the file lacks what the strip held");
}

}  // namespace

Outcome SaveFaults(const Options& options) {
  Outcome o;
  o.name = "save faults";
  {
    const Stage stage;
    WriteBytes(stage.Ini(), Utf16File(Arrangement(40, 40)));
    quorvel::win::UniqueHandle lock;
    RefusedThenWritten(
        o, L"settings file locked at the close", stage,
        [&] {
          lock.reset(CreateFileW(stage.Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                 nullptr));
          return static_cast<bool>(lock);
        },
        [&] { lock.reset(); });
  }
  {
    const Stage stage;
    WriteBytes(stage.Ini(), Utf16File(Arrangement(40, 40)));
    const auto ini = stage.Ini();
    RefusedThenWritten(
        o, L"settings file replaced by a folder", stage,
        [&] {
          std::error_code e;
          std::filesystem::remove(ini, e);
          return std::filesystem::create_directory(ini, e);
        },
        [&] {
          std::error_code e;
          std::filesystem::remove(ini, e);
        });
  }
  if (!options.quick) {  // slow under Wine: the whole suite only
    const TempFolder parent;
    const Stage stage(parent.Path() / L"app");
    WriteBytes(stage.Ini(), Utf16File(Arrangement(40, 40)));
    const auto away = parent.Path() / L"app-away";
    RefusedThenWritten(
        o, L"folder removed while running", stage, [&] { return MoveAnyway(stage.Folder(), away); },
        [&] { MoveAnyway(away, stage.Folder()); });
  }
  if (!options.fullDisk.empty()) {
    const Stage stage(options.fullDisk / L"app");
    WriteBytes(stage.Ini(), Utf16File(Arrangement(40, 40)));
    const auto filler = options.fullDisk / L"filler";
    RefusedThenWritten(
        o, L"a full disk", stage,
        [&] {
          // Fill every free byte, so that not even a temporary copy fits.
          quorvel::win::UniqueHandle f(
              CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
          std::vector<char> block(64 * 1024, 'f');
          DWORD wrote = 0;
          for (std::size_t size = block.size(); size > 0; size /= 2) {
            while (WriteFile(f.get(), block.data(), static_cast<DWORD>(size), &wrote, nullptr) &&
                   wrote == size) {
            }
          }
          return static_cast<bool>(f);
        },
        [&] { DeleteFileW(filler.c_str()); });
    std::error_code e;
    std::filesystem::remove_all(stage.Folder(), e);
  } else {
    o.note += L"[a full disk: skipped, no small file system given] ";
  }

  {  // Held locked by another program while the program starts, then let go.
    ++o.cases;
    const Stage stage;
    const std::vector<char> before = Utf16File(Arrangement(40, 40));
    WriteBytes(stage.Ini(), before);
    quorvel::win::UniqueHandle lock(
        CreateFileW(stage.Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const QuorvelProcess quorvel(stage.Exe());
    const DialogWatcher watcher(quorvel.Id(), DialogWatcher::Answer::Ok);
    const HWND strip = quorvel.WaitForStrip();
    lock.reset();
    if (strip) {
      PostMessageW(strip, WM_CLOSE, 0, 0);
      quorvel.WaitForExit();
    }
    o.Saw(watcher.Texts());
    if (!strip || ReadWhole(stage.Ini()) != before)
      o.Fail(false, L"locked at start: the stored file was not left as it was");
  }

  // Killed at any moment of a save: the old file or the new one is there, whole.
  std::mt19937 rng(11);
  const int kills = options.quick ? 4 : 40;
  int old = 0, fresh = 0;
  for (int i = 0; i < kills; ++i) {
    ++o.cases;
    const Stage stage;
    const std::vector<char> before = Utf16File(Arrangement(40, 40));
    WriteBytes(stage.Ini(), before);
    const QuorvelProcess quorvel(stage.Exe());
    const HWND strip = quorvel.WaitForStrip();
    if (!strip) {
      o.Fail(false, L"kill during save: the strip never showed");
      continue;
    }
    SetWindowPos(strip, nullptr, 300 + i, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(strip, WM_CLOSE, 0, 0);
    Sleep(std::uniform_int_distribution<int>(0, 12)(rng));
    TerminateProcess(quorvel.Handle(), 9);
    quorvel.WaitForExit();
    const std::vector<char> after = ReadWhole(stage.Ini());
    if (after == before) {
      ++old;
      continue;
    }
    const auto file = WholeSettings(stage.Ini());
    if (!file || file->ReadInteger(u"form", u"left", 0) != 300 + i ||
        !Missing(*file, ThreePrograms()).empty()) {
      o.Fail(true,
             L"kill during save " + std::to_wstring(i) + L": neither the old nor the new file");
      continue;
    }
    ++fresh;
  }
  o.note += L"killed saves left the old file " + std::to_wstring(old) + L"x, the new " +
            std::to_wstring(fresh) + L"x";
  return o;
}

}  // namespace quorvel::torture
