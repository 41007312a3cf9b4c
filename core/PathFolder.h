// The folder part of a Windows path.
#pragma once

#include <optional>
#include <string>

namespace quorvel {

// The path without its last component and the backslash before it; a file in a drive's root
// keeps the root's backslash ("C:\"). A path with no folder part gives "". nullopt when the path
// is malformed: blank, holding characters no path may hold, or longer than 32,767 characters.
std::optional<std::u16string> FolderOfPath(const std::u16string& path);

}  // namespace quorvel
