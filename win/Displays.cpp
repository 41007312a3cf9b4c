#include "Displays.h"

#include <windows.h>

namespace quorvel::win {

namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) {
    const RECT& r = info.rcWork;
    reinterpret_cast<std::vector<Rect>*>(data)->push_back({r.left, r.top, r.right, r.bottom});
  }
  return TRUE;
}

}  // namespace

std::vector<Rect> WorkAreas() {
  std::vector<Rect> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  if (areas.empty()) {
    RECT r{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) {
      areas.push_back({r.left, r.top, r.right, r.bottom});
    }
  }
  return areas;
}

}  // namespace quorvel::win
