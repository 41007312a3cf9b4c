#include "PathFolder.h"

#include <algorithm>
#include <string_view>

namespace quorvel {

namespace {

constexpr std::size_t kLongestPath = 32767;  // what the wide Win32 calls accept
constexpr std::u16string_view kLongPrefix = u"\\\\?\\";

bool IsSeparator(char16_t c) {
  return c == u'\\' || c == u'/';
}

bool HasLongPrefix(std::u16string_view path) {
  return path.substr(0, kLongPrefix.size()) == kLongPrefix;
}

// The one place a colon may stand: after the drive letter, also behind the "\\?\" prefix.
std::size_t DriveColonIndex(std::u16string_view path) {
  return HasLongPrefix(path) ? kLongPrefix.size() + 1 : 1;
}

bool IsMalformed(std::u16string_view path) {
  if (path.size() > kLongestPath)
    return true;
  if (std::all_of(path.begin(), path.end(), [](char16_t c) { return c == u' '; }))
    return true;
  const std::size_t colonAt = DriveColonIndex(path);
  const std::size_t prefixQuestionAt = HasLongPrefix(path) ? 2 : std::u16string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char16_t c = path[i];
    if (c < 32 || c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u'*')
      return true;
    if (c == u'?' && i != prefixQuestionAt)
      return true;
    if (c == u':' && i != colonAt)
      return true;
  }
  return false;
}

// The part no folder can be taken from: "C:\", "C:" (drive-relative), "\\?\C:\", or the
// leading separators of "\edit.exe" and "\\server\share\…". A folder never ends inside it.
std::size_t RootLength(std::u16string_view path) {
  std::size_t n = HasLongPrefix(path) ? kLongPrefix.size() : 0;
  const std::size_t colonAt = DriveColonIndex(path);
  if (path.size() > colonAt && path[colonAt] == u':') {
    n = colonAt + 1;
    if (n < path.size() && IsSeparator(path[n]))
      ++n;
    return n;
  }
  while (n < path.size() && IsSeparator(path[n]))
    ++n;
  return n;
}

}  // namespace

std::optional<std::u16string> FolderOfPath(const std::u16string& path) {
  if (IsMalformed(path))
    return std::nullopt;
  const std::size_t root = RootLength(path);
  const std::size_t lastSeparator = path.find_last_of(u"\\/");
  if (lastSeparator == std::u16string::npos || lastSeparator < root)
    return path.substr(0, root);
  return path.substr(0, lastSeparator);
}

}  // namespace quorvel
