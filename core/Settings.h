// The settings file beside the executable: window position, registered paths, tab hints.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "Ports.h"
#include "ScreenGuard.h"
#include "SlotGrid.h"

namespace quorvel {

struct FormBounds {
  std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

// The executable's path with the extension of its file name replaced by ".ini".
std::u16string SettingsPathFor(const std::u16string& exePath);

// Reads the file once and applies it: position (then kept on the given work areas), every
// stored path through AddFileToTab, the tab hints. A missing or unreadable file gives defaults.
// False when the file is there but could not be read: the arrangement shown is then not the one
// stored, and writing it would overwrite the user's registrations.
[[nodiscard]] bool LoadSettings(const std::u16string& iniPath, FilePort& files, AnsiDecoder& ansi,
                                SlotGrid& grid, FormBounds& form, std::span<const Rect> workAreas);

// Writes the whole file in one atomic step, keeping what other programs or people put in it.
// Returns the error text for the user when the file cannot be written, also when it is there
// but cannot be read (what it holds would be lost).
[[nodiscard]] std::optional<std::u16string> SaveSettings(const std::u16string& iniPath,
                                                         FilePort& files, AnsiDecoder& ansi,
                                                         const SlotGrid& grid,
                                                         const FormBounds& form);

}  // namespace quorvel
