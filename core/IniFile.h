// INI text, read and written without losing anything it holds: every line that the program does
// not write is kept as it stood, and every value reads back exactly as it was written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel {

class IniFile {
 public:
  explicit IniFile(std::u16string_view text = {});

  // Section and key names compare regardless of ASCII case; the first of duplicates counts.
  // nullopt when the key is absent; a key present with an empty value gives "". NULs in the
  // value are left out, as writing leaves them out.
  std::optional<std::u16string> ReadString(std::u16string_view section,
                                           std::u16string_view key) const;
  // Decimal with an optional sign; anything else, or a value outside 32 bits, gives the default.
  std::int32_t ReadInteger(std::u16string_view section, std::u16string_view key,
                           std::int32_t fallback) const;

  // Replaces the key's value where it stands, or adds the key after the last key of its section,
  // or the section after everything else. A value with blanks at its ends or within a pair of
  // matching quotes is written inside double quotes, so that it reads back as given. Line breaks
  // in the value (CR LF, CR or LF) become one space each, as they would end the line, and NULs
  // are dropped.
  void WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  void WriteInteger(std::u16string_view section, std::u16string_view key, std::int32_t value);

  // The whole text, every line ended with CR LF.
  std::u16string Text() const;

 private:
  struct Section {
    std::vector<std::u16string> lines;  // lines[0] is the header, except for the preamble
    std::unordered_map<std::u16string, std::size_t> keys;  // folded key -> line index
    std::size_t afterLastKey = 0;                          // where a new key goes
  };

  const Section* Find(std::u16string_view section) const;
  void AddLine(std::u16string line);

  std::vector<Section> sections_;  // sections_[0]: the lines before the first header
  std::unordered_map<std::u16string, std::size_t> sectionIndex_;
};

}  // namespace quorvel
