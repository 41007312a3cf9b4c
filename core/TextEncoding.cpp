#include "TextEncoding.h"

namespace quorvel {

namespace {

// An odd trailing byte of a truncated file is dropped.
std::u16string DecodeUtf16(std::span<const std::uint8_t> b, bool bigEndian) {
  std::u16string text;
  text.resize(b.size() / 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::uint8_t lo = b[2 * i + (bigEndian ? 1 : 0)];
    const std::uint8_t hi = b[2 * i + (bigEndian ? 0 : 1)];
    text[i] = static_cast<char16_t>(lo | (hi << 8));
  }
  return text;
}

bool StartsWith(std::span<const std::uint8_t> b, std::initializer_list<std::uint8_t> prefix) {
  if (b.size() < prefix.size())
    return false;
  std::size_t i = 0;
  for (std::uint8_t p : prefix) {
    if (b[i++] != p)
      return false;
  }
  return true;
}

}  // namespace

std::optional<std::u16string> DecodeUtf8(std::span<const std::uint8_t> b) {
  std::u16string text;
  text.reserve(b.size());
  std::size_t i = 0;
  while (i < b.size()) {
    const std::uint8_t c = b[i];
    if (c < 0x80) {
      text.push_back(c);
      ++i;
      continue;
    }
    int extra;
    char32_t cp;
    char32_t least;
    if ((c & 0xE0) == 0xC0) {
      extra = 1, cp = c & 0x1F, least = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, cp = c & 0x0F, least = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3, cp = c & 0x07, least = 0x10000;
    } else {
      return std::nullopt;
    }
    if (b.size() - i <= static_cast<std::size_t>(extra))
      return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
      const std::uint8_t cc = b[i + k];
      if ((cc & 0xC0) != 0x80)
        return std::nullopt;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      return std::nullopt;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      text.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      text.push_back(static_cast<char16_t>(cp));
    }
    i += extra + 1;
  }
  return text;
}

std::u16string DecodeSettingsText(std::span<const std::uint8_t> b, AnsiDecoder& ansi) {
  if (StartsWith(b, {0xFF, 0xFE}))
    return DecodeUtf16(b.subspan(2), false);
  if (StartsWith(b, {0xFE, 0xFF}))
    return DecodeUtf16(b.subspan(2), true);
  if (StartsWith(b, {0xEF, 0xBB, 0xBF})) {
    if (auto text = DecodeUtf8(b.subspan(3)))
      return *text;
    return ansi.DecodeAnsi(b.subspan(3));
  }
  if (auto text = DecodeUtf8(b))
    return *text;
  return ansi.DecodeAnsi(b);
}

Bytes EncodeUtf16LeWithBom(std::u16string_view text) {
  Bytes b;
  b.reserve(2 + 2 * text.size());
  b.push_back(0xFF);
  b.push_back(0xFE);
  for (char16_t c : text) {
    b.push_back(static_cast<std::uint8_t>(c & 0xFF));
    b.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return b;
}

}  // namespace quorvel
