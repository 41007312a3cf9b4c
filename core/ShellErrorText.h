// The Japanese text the user reads for a shell error code.
#pragma once

#include <cstdint>
#include <string>

namespace quorvel {

// The text for a ShellExecuteW error code (below 32); codes without their own text share one.
std::u16string ShellErrorText(std::uint16_t code);

}  // namespace quorvel
