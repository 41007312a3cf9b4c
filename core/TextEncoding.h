// The settings file's encodings: written as UTF-16LE with a BOM; read in whatever the file is.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "Ports.h"

namespace quorvel {

// UTF-16LE/BE with BOM, UTF-8 with BOM, valid UTF-8 without BOM, otherwise the ANSI code page.
std::u16string DecodeSettingsText(std::span<const std::uint8_t> bytes, AnsiDecoder& ansi);

// Strict UTF-8 (no overlong forms, no encoded surrogates, nothing above U+10FFFF).
std::optional<std::u16string> DecodeUtf8(std::span<const std::uint8_t> bytes);

Bytes EncodeUtf16LeWithBom(std::u16string_view text);

}  // namespace quorvel
