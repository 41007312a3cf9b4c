// The file port: whole-file reads and atomic replacement, long paths included.
#pragma once

#include <string>
#include <string_view>

#include "Ports.h"

namespace quorvel::win {

// The form of path that the file functions accept beyond MAX_PATH: an absolute path that long
// is made canonical and given the "\\?\" (or "\\?\UNC\") prefix; anything else is unchanged.
std::wstring LongPathForm(std::wstring_view path);

// A name of the same file that the shell's functions (icons, ShellExecuteW) can take: they stop
// at MAX_PATH, so a longer path is given as its short (8.3) form where that is short enough.
// Otherwise, and for any path under MAX_PATH, the path itself.
std::wstring ShellReachablePath(const std::wstring& path);

class Win32FilePort final : public FilePort {
 public:
  std::optional<Bytes> ReadAll(const std::u16string& path) override;
  bool Exists(const std::u16string& path) override;
  [[nodiscard]] bool ReplaceAtomically(const std::u16string& path,
                                       std::span<const std::uint8_t> bytes) override;
};

}  // namespace quorvel::win
