// A number in decimal as UTF-16: tab labels, hints and key names are built from it.
#pragma once

#include <string>

namespace quorvel {

inline std::u16string Decimal(int n) {
  const std::string s = std::to_string(n);
  return std::u16string(s.begin(), s.end());
}

}  // namespace quorvel
