// The floor of the start-up and memory figures: the least Win32 that reads the same icons with
// ExtractIconW and shows them in one layered window, as the strip does.
//   quorvel_bench_floor.exe LIST   (LIST: UTF-16LE, one path a line)
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "StripGeometry.h"

namespace {

using namespace quorvel::win;

constexpr wchar_t kClassName[] = L"QuorvelBenchFloor";

std::vector<std::wstring> ReadList(const wchar_t* path) {
  std::vector<std::wstring> lines;
  const UniqueHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size))
    return lines;
  std::wstring text(static_cast<std::size_t>(size.QuadPart) / 2, L'\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size() * 2), &read, nullptr))
    return lines;
  std::size_t at = text.empty() || text[0] != 0xFEFF ? 0 : 1;
  while (at < text.size()) {
    std::size_t end = text.find(L"\r\n", at);
    if (end == std::wstring::npos)
      end = text.size();
    if (end > at)
      lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  // The window is the guard's to destroy, after the loop.
  if (msg == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  std::wstring list = commandLine;
  if (list.size() >= 2 && list.front() == L'"' && list.back() == L'"')
    list = list.substr(1, list.size() - 2);
  const std::vector<std::wstring> paths = ReadList(list.c_str());

  const int width = quorvel::kStripWidth, height = quorvel::kStripHeight;
  const UniqueDc dc(CreateCompatibleDC(nullptr));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !bitmap)
    return 1;
  const SelectGuard selected(dc.get(), bitmap.get());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const UniqueIcon icon(ExtractIconW(instance, paths[i].c_str(), 0));
    if (reinterpret_cast<UINT_PTR>(icon.get()) > 1) {
      const int x = quorvel::kPageLeft + quorvel::kSlotSize * static_cast<int>(i % 10);
      DrawIconEx(dc.get(), x, quorvel::kPageTop, icon.get(), quorvel::kSlotSize, quorvel::kSlotSize,
                 0, nullptr, DI_NORMAL);
    }
  }

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Procedure;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  const UniqueWindow window(CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                                            kClassName, L"Floor", WS_POPUP, 40, 40, width, height,
                                            nullptr, nullptr, instance, nullptr));
  const HWND hwnd = window.get();
  if (!hwnd)
    return 1;
  POINT topLeft{40, 40}, origin{0, 0};
  SIZE size{width, height};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(hwnd, nullptr, &topLeft, &size, dc.get(), &origin, 0, &blend, ULW_ALPHA);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    DispatchMessageW(&msg);
  return 0;
}
