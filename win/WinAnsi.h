// The ANSI code page decoder, for settings files written by older tools.
#pragma once

#include <windows.h>

#include <climits>
#include <cstddef>

#include "Ports.h"

namespace quorvel::win {

// The bytes in the given code page as UTF-16. MultiByteToWideChar takes an int length, so
// longer input goes in pieces of at most maxPiece bytes, cut where no character is split.
std::u16string DecodeCodePage(UINT codePage, std::span<const std::uint8_t> bytes,
                              std::size_t maxPiece = INT_MAX);

class Win32AnsiDecoder final : public AnsiDecoder {
 public:
  std::u16string DecodeAnsi(std::span<const std::uint8_t> bytes) override;
};

}  // namespace quorvel::win
