#include "ExePath.h"

#include <windows.h>

#include "Utf16.h"

namespace quorvel::win {

std::u16string ExePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0)
      return {};
    if (n < buffer.size())
      return ToU16(std::wstring_view(buffer.data(), n));
    if (buffer.size() >= 32768)
      return ToU16(std::wstring_view(buffer.data(), n));
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace quorvel::win
