// What a message to the notification-area icon's window asks of the program.
#pragma once

#include <cstdint>

namespace quorvel {

inline constexpr unsigned TRAY_CALLBACK = 0x0400 + 1;  // WM_USER + 1
inline constexpr unsigned kTrayIconId = 1;

enum class TrayAction { None, ToggleStrip, OpenMenu };

// Only the icon's own callback acts (its message, its id in wParam): broadcasts and other
// messages whose lParam happens to look like a mouse press do nothing. Without a version
// request the shell puts the mouse message in lParam; its upper half is ignored.
TrayAction TrayActionFor(unsigned message, std::uint64_t wParam, std::int64_t lParam);

}  // namespace quorvel
