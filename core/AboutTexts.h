// The About window's texts: the version, the rights notice and the user guide.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

inline constexpr std::u16string_view kVersionText = u"Quorvel V1.2";
inline constexpr std::u16string_view kRightsNotice = u"(C) 2026 Quorvel";

// The guide as the text box holds it before the window puts the version line and an empty
// line in front of it.
std::vector<std::u16string> GuideLines();

}  // namespace quorvel
