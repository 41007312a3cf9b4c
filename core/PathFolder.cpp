#include "PathFolder.h"

#include <algorithm>
#include <string_view>

namespace quorvel {

namespace {

constexpr std::size_t kLongestPath = 32767;

// Where a drive colon may stand: "C:", or after the "\\?\" long-path prefix.
std::size_t DriveColonIndex(std::u16string_view path) {
  constexpr std::u16string_view kLong = u"\\\\?\\";
  return path.substr(0, kLong.size()) == kLong ? kLong.size() + 1 : 1;
}

bool IsMalformed(std::u16string_view path) {
  if (path.size() > kLongestPath)
    return true;
  if (std::all_of(path.begin(), path.end(), [](char16_t c) { return c == u' ' || c == u'\t'; })) {
    return true;
  }
  const std::size_t colonAt = DriveColonIndex(path);
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char16_t c = path[i];
    if (c < 32 || c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u'*')
      return true;
    if (c == u'?' && !(i == 2 && path.substr(0, 4) == u"\\\\?\\"))
      return true;
    if (c == u':' && i != colonAt)
      return true;
  }
  return false;
}

}  // namespace

std::optional<std::u16string> FolderOfPath(const std::u16string& path) {
  if (IsMalformed(path))
    return std::nullopt;
  const std::size_t last = path.find_last_of(u"\\/");
  if (last == std::u16string::npos)
    return std::u16string();
  std::size_t end = last;
  // Keep the root's backslash: "C:\edit.exe" lies in "C:\", "\edit.exe" in "\".
  const bool driveRoot = last == DriveColonIndex(path) + 1 && path[last - 1] == u':';
  if (driveRoot || last == 0)
    end = last + 1;
  return path.substr(0, end);
}

}  // namespace quorvel
