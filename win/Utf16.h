// The core's strings are std::u16string; Windows' are wchar_t, also UTF-16 there.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is UTF-16");

inline std::wstring ToWide(std::u16string_view s) {
  return std::wstring(s.begin(), s.end());
}
inline std::u16string ToU16(std::wstring_view s) {
  return std::u16string(s.begin(), s.end());
}

}  // namespace quorvel::win
