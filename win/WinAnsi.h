// Older settings files are in the system's ANSI code page.
#pragma once

#include "Ports.h"

namespace quorvel::win {

class Win32AnsiDecoder : public AnsiDecoder {
 public:
  std::u16string DecodeAnsi(std::span<const std::uint8_t> bytes) override;
};

}  // namespace quorvel::win
