#include "TrayCallback.h"

namespace quorvel {

namespace {

constexpr std::uint32_t kLeftButtonDown = 0x0201, kRightButtonDown = 0x0204;

}  // namespace

TrayAction TrayActionFor(unsigned message, std::uint64_t wParam, std::int64_t lParam) {
  if (message != TRAY_CALLBACK || wParam != kTrayIconId)
    return TrayAction::None;
  switch (static_cast<std::uint32_t>(static_cast<std::uint64_t>(lParam))) {
    case kLeftButtonDown:
      return TrayAction::ToggleStrip;
    case kRightButtonDown:
      return TrayAction::OpenMenu;
    default:
      return TrayAction::None;
  }
}

}  // namespace quorvel
