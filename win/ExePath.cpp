#include <windows.h>

#include "ExePath.h"

#include <string>

namespace quorvel::win {

std::u16string ExePath() {
  // Long-path-aware systems can report up to 32,767 characters; MAX_PATH covers nearly all.
  constexpr DWORD kLongest = 32768;
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (n == 0)
      return {};
    if (n < size) {
      buffer.resize(n);
      return std::u16string(buffer.begin(), buffer.end());
    }
    // A full buffer means the path was cut short.
    if (size >= kLongest)
      return {};
    buffer.resize(size * 2 > kLongest ? kLongest : size * 2);
  }
}

}  // namespace quorvel::win
