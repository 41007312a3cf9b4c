// The system's own text for a Win32 error code, for messages the user reads.
#pragma once

#include <windows.h>

#include <string>

namespace quorvel::win {

std::wstring SystemErrorText(DWORD code);

}  // namespace quorvel::win
