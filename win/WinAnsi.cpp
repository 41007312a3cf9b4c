#include <windows.h>

#include "WinAnsi.h"

#include <algorithm>

namespace quorvel::win {
namespace {

// The length of the longest prefix of bytes, at most limit, that ends on a character boundary.
std::size_t WholeCharacters(UINT codePage, std::span<const std::uint8_t> bytes, std::size_t limit,
                            bool doubleByte) {
  if (limit >= bytes.size())
    return bytes.size();
  std::size_t end = limit;
  if (codePage == CP_UTF8) {
    // Step back over continuation bytes (10xxxxxx) to the start of the split character.
    while (end > 0 && limit - end < 4 && (bytes[end] & 0xC0) == 0x80)
      --end;
  } else if (doubleByte) {
    // Trail bytes can look like anything, so only a walk from the start finds the boundaries.
    std::size_t i = 0;
    for (;;) {
      const std::size_t step = IsDBCSLeadByteEx(codePage, bytes[i]) ? 2 : 1;
      if (i + step > limit)
        break;
      i += step;
    }
    end = i;
  }
  return end == 0 ? limit : end;
}

}  // namespace

std::u16string DecodeCodePage(UINT codePage, std::span<const std::uint8_t> bytes,
                              std::size_t maxPiece) {
  if (codePage == CP_ACP)
    codePage = GetACP();
  maxPiece = std::clamp<std::size_t>(maxPiece, 4, INT_MAX);
  CPINFO info{};
  const bool doubleByte = GetCPInfo(codePage, &info) && info.MaxCharSize == 2;

  std::u16string text;
  while (!bytes.empty()) {
    const std::size_t n = WholeCharacters(codePage, bytes, maxPiece, doubleByte);
    const auto* in = reinterpret_cast<const char*>(bytes.data());
    const int inLength = static_cast<int>(n);
    const int outLength = MultiByteToWideChar(codePage, 0, in, inLength, nullptr, 0);
    if (outLength > 0) {
      const std::size_t at = text.size();
      text.resize(at + static_cast<std::size_t>(outLength));
      const int written = MultiByteToWideChar(
          codePage, 0, in, inLength, reinterpret_cast<wchar_t*>(text.data() + at), outLength);
      text.resize(at + static_cast<std::size_t>(std::max(written, 0)));
    }
    bytes = bytes.subspan(n);
  }
  return text;
}

std::u16string Win32AnsiDecoder::DecodeAnsi(std::span<const std::uint8_t> bytes) {
  return DecodeCodePage(CP_ACP, bytes);
}

}  // namespace quorvel::win
