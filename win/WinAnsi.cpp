#include "WinAnsi.h"

#include <windows.h>

#include <climits>

namespace quorvel::win {

std::u16string Win32AnsiDecoder::DecodeAnsi(std::span<const std::uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > INT_MAX)
    return {};
  const auto* src = reinterpret_cast<const char*>(bytes.data());
  const int n = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, src, n, nullptr, 0);
  if (length <= 0)
    return {};
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, src, n, text.data(), length);
  return std::u16string(text.begin(), text.end());
}

}  // namespace quorvel::win
