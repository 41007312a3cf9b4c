// The full path of the running program.
#pragma once

#include <string>

namespace quorvel::win {

// Empty only when the system cannot tell.
std::u16string ExePath();

}  // namespace quorvel::win
