// Reading the settings file and replacing it in one step.
#pragma once

#include <string>

#include "Ports.h"

namespace quorvel::win {

class Win32FilePort : public FilePort {
 public:
  std::optional<Bytes> ReadAll(const std::u16string& path) override;
  [[nodiscard]] bool ReplaceAtomically(const std::u16string& path,
                                       std::span<const std::uint8_t> bytes) override;
};

// The path in the form Windows accepts beyond MAX_PATH ("\\?\" prefix) when it is that long.
std::wstring LongPathForm(const std::u16string& path);

}  // namespace quorvel::win
