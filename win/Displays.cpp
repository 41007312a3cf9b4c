#include <windows.h>

#include "Displays.h"

namespace quorvel::win {
namespace {

quorvel::Rect ToRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) noexcept {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info))
    return TRUE;
  // No exception may cross the system's callback.
  try {
    reinterpret_cast<std::vector<quorvel::Rect>*>(data)->push_back(ToRect(info.rcWork));
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::vector<quorvel::Rect> WorkAreas() {
  std::vector<quorvel::Rect> areas;
  EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  if (areas.empty()) {
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
      work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    areas.push_back(ToRect(work));
  }
  return areas;
}

}  // namespace quorvel::win
