// Text onto the system clipboard, as the edit controls put it there.
#pragma once

#include <windows.h>

#include <string_view>

namespace quorvel::win {

// CF_UNICODETEXT; false when the clipboard is held by another program or memory runs out.
[[nodiscard]] bool CopyToClipboard(HWND owner, std::u16string_view text);

}  // namespace quorvel::win
