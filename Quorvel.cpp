// Program entry: creates the main window and runs the message loop.
#include <windows.h>

#include "ExePath.h"
#include "SingleInstance.h"
#include "Unit1.h"
#include "Unit3.h"
#include "WinCommandDialogs.h"
#include "WinAnsi.h"
#include "WinDialogs.h"
#include "WinFiles.h"
#include "WinIcons.h"
#include "WinShell.h"
#include "Utf16.h"

namespace {

// Per-monitor v2 where the system has it (Windows 10 1703+), v1 otherwise; never fatal.
void DeclareDpiAwareness() {
  if (SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
    return;
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR, int) {
  DeclareDpiAwareness();
  using namespace quorvel;
  const std::u16string exePath = win::ExePath();
  const std::wstring key = win::InstanceKeyFor(win::ToWide(exePath));
  const win::SingleInstance instance(key);
  if (!instance.IsFirst()) {
    // Already running from this executable: its strip comes up instead of a second one.
    win::ShowRunningInstance(key);
    return 0;
  }
  const win::OleSession ole;
  HWND owner = nullptr;  // the strip, once it exists: dialogs open above it
  win::Win32IconPort icons;
  win::Win32DialogPort dialogs([&owner] { return owner; });
  win::Win32ShellPort shell;
  win::Win32FilePort files;
  win::Win32AnsiDecoder ansi;
  win::Win32CommandDialogs commands([&owner] { return owner; });
  TForm1 form1(module, exePath, {icons, dialogs, shell, files, ansi, commands}, key);
  TForm3 form3(module);
  form1.SetAbout(&form3);
  owner = form1.Handle();
  if (!form1.Handle())
    return 1;
  ShowWindow(form1.Handle(), SW_SHOWNOACTIVATE);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
