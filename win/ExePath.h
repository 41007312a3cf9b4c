// The running executable's own full path.
#pragma once

#include <string>

namespace quorvel::win {

std::u16string ExePath();

}  // namespace quorvel::win
