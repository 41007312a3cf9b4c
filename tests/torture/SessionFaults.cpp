// What the Windows session does to a tray program: logoff with a question open, second starts,
// the taskbar coming back again and again, and presses faster than any user.
#include <windows.h>
#include <shellapi.h>

#include "Torture.h"
#include "TortureKit.h"
#include "TrayCallback.h"

namespace quorvel::torture {

namespace {

// The program's tray icon, asked of the shell: only an icon it holds can be renewed.
bool IconExists(HWND tray) {
  NOTIFYICONDATAW d{};
  d.cbSize = sizeof d;
  d.hWnd = tray;
  d.uID = kTrayIconId;
  return Shell_NotifyIconW(NIM_MODIFY, &d) != FALSE;
}

struct Running {
  Stage stage;
  std::vector<std::wstring> programs;
  std::unique_ptr<QuorvelProcess> quorvel;
  HWND strip = nullptr;

  explicit Running(int count, const std::wstring& probe = L"") {
    auto real = RealPrograms();
    if (!probe.empty())
      real.insert(real.begin(), probe);
    programs.assign(real.begin(), real.begin() + std::min<std::size_t>(count, real.size()));
    std::wstring text = L"[form]\r\ntop=40\r\nleft=40\r\n[file]\r\n";
    for (std::size_t k = 0; k < programs.size(); ++k)
      text += L"name" + std::to_wstring(k) + L"=" + programs[k] + L"\r\n";
    WriteBytes(stage.Ini(), Utf16File(text));
    quorvel = std::make_unique<QuorvelProcess>(stage.Exe());
    strip = quorvel->WaitForStrip();
  }

  // Closes the program and checks what it wrote.
  void CloseAndCheck(Outcome& o, const std::wstring& name) {
    PostMessageW(strip, WM_CLOSE, 0, 0);
    if (quorvel->WaitForExit() != 0)
      return o.Fail(false, name + L": the program did not end after its close");
    const auto file = WholeSettings(stage.Ini());
    if (!file)
      return o.Fail(true, name + L": the file written is not whole");
    if (const auto missing = Missing(*file, programs); !missing.empty())
      o.Fail(false, name + L": lost " + missing.front());
  }
};

}  // namespace

Outcome SessionFaults(const Options& options) {
  Outcome o;
  o.name = "session faults";
  const int scale = options.quick ? 1 : 10;

  {  // Logoff while the removal question is open: the answer never comes, the file is written.
    ++o.cases;
    Running r(3);
    const DialogWatcher watcher(r.quorvel->Id(), DialogWatcher::Answer::Leave);
    Press(r.strip, WM_RBUTTONDOWN, MK_RBUTTON, 18, 42);
    if (!WaitUntil([&] { return watcher.OpenBox() != nullptr; }, 10000)) {
      o.Fail(false, L"logoff: the question never showed");
    } else {
      SetWindowPos(r.strip, nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      DWORD_PTR answer = 0;
      SendMessageTimeoutW(r.strip, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000,
                          &answer);
      SendMessageTimeoutW(r.strip, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000,
                          &answer);
      TerminateProcess(r.quorvel->Handle(), 0);  // as the system ends what the session left
      r.quorvel->WaitForExit();
      const auto file = WholeSettings(r.stage.Ini());
      if (!file)
        o.Fail(true, L"logoff: the file is not whole");
      else if (!Missing(*file, r.programs).empty() || file->ReadInteger(u"form", u"left", 0) != 123)
        o.Fail(false, L"logoff: the file lacks what the strip held");
    }
    o.Saw(watcher.Texts());
  }

  {  // Second starts, again and again: each ends, the first keeps its one strip and icon.
    ++o.cases;
    Running r(3);
    int strayStrips = 0;
    for (int i = 0; i < 2 * scale; ++i) {
      const QuorvelProcess second(r.stage.Exe());
      if (second.WaitForExit() != 0)
        ++strayStrips;
    }
    const HWND tray = TrayWindowOf(r.quorvel->Id());
    if (strayStrips || quorvel::test::WindowsOf(r.quorvel->Id(), L"TForm1", false).size() != 1 ||
        !tray || !IconExists(tray)) {
      o.Fail(false, L"second starts: more than one strip or no icon");
    }
    r.CloseAndCheck(o, L"second starts");
  }

  {  // "TaskbarCreated" again and again: the icon is there after each.
    ++o.cases;
    Running r(3);
    const UINT created = RegisterWindowMessageW(L"TaskbarCreated");
    const HWND tray = TrayWindowOf(r.quorvel->Id());
    for (int i = 0; i < 10 * scale; ++i)
      PostMessageW(HWND_BROADCAST, created, 0, 0);
    Sleep(500);
    NOTIFYICONDATAW gone{};
    gone.cbSize = sizeof gone;
    gone.hWnd = tray;
    gone.uID = kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &gone);  // as a restarting shell loses it
    PostMessageW(HWND_BROADCAST, created, 0, 0);
    if (!WaitUntil([&] { return tray && IconExists(tray); }, 5000))
      o.Fail(false, L"TaskbarCreated: the icon did not come back");
    r.CloseAndCheck(o, L"TaskbarCreated");
  }

  {  // A thousand tray presses, and presses on empty and filled slots.
    ++o.cases;
    Running r(3);
    const HWND tray = TrayWindowOf(r.quorvel->Id());
    const DialogWatcher watcher(r.quorvel->Id(), DialogWatcher::Answer::No);
    const int presses = options.quick ? 100 : 1000;
    // Each press sent as soon as the program has taken the one before: as fast as it can go.
    DWORD_PTR ignored = 0;
    for (int i = 0; i < presses; ++i) {
      SendMessageTimeoutW(tray, TRAY_CALLBACK, kTrayIconId, WM_LBUTTONDOWN, SMTO_BLOCK, 5000,
                          &ignored);
    }
    if (!IsWindowVisible(r.strip))
      o.Fail(false, L"tray presses: an even count of them left the strip hidden");
    for (int i = 0; i < presses; ++i) {
      const int slot = 3 + i % 7;  // empty slots, the clipped ninth among them
      const UINT msg[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
      const WPARAM buttons[] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
      Press(r.strip, msg[i % 3], buttons[i % 3], 18 + 32 * slot, 42);
    }
    for (int i = 0; i < 5 * scale; ++i)  // questions on a filled slot, each answered No
      Press(r.strip, WM_RBUTTONDOWN, MK_RBUTTON, 18 + 32 * (i % 3), 42);
    // Presses that come while a question is open are not taken: wait until none has been open
    // for a while.
    int quiet = 0;
    for (int waited = 0; quiet < 60 && waited < 30000; waited += 10) {
      quiet = watcher.OpenBox() ? 0 : quiet + 1;
      Sleep(10);
    }
    if (r.quorvel->WaitForExit(0) != STILL_ACTIVE)
      o.Fail(false, L"rapid presses: the program ended");
    else if (!IsWindowVisible(r.strip))
      o.Fail(false, L"rapid presses: the strip was hidden");
    o.Saw(watcher.Texts());
    r.CloseAndCheck(o, L"rapid presses");
  }
  return o;
}

}  // namespace quorvel::torture
