// The lines of a read-only text box and the places between their characters: offsets as the
// system's edit controls count them (lines joined by CR LF), caret steps and words.
#pragma once

#include <compare>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

// A place before the character `column` (a UTF-16 index) of line `line`.
struct TextPos {
  int line = 0;
  int column = 0;
  auto operator<=>(const TextPos&) const = default;
};

struct TextSelection {
  TextPos anchor, caret;  // where it began, and the end that moves
  bool Empty() const { return anchor == caret; }
  TextPos Start() const { return anchor < caret ? anchor : caret; }
  TextPos End() const { return anchor < caret ? caret : anchor; }
};

class TextLines {
 public:
  // Always at least one line, maybe empty.
  explicit TextLines(std::vector<std::u16string> lines = {});

  int Count() const { return static_cast<int>(lines_.size()); }
  const std::u16string& Line(int line) const { return lines_.at(line); }
  // At `index`, clamped to 0 .. Count().
  void Insert(int index, std::u16string line);

  // The lines joined by CR LF; the part between two places, in either order.
  std::u16string Text() const;
  std::u16string Text(TextPos from, TextPos to) const;
  int Length() const;

  int OffsetOf(TextPos pos) const;
  // Clamped to the text; an offset inside a line break or a surrogate pair goes back before it.
  TextPos PosAt(int offset) const;
  TextPos Clamp(TextPos pos) const;
  TextPos End() const;

  // One character on, or back, across line ends; a surrogate pair is one character.
  TextPos Next(TextPos pos) const;
  TextPos Prev(TextPos pos) const;
  // The start of the next word, or the start of this or the previous one (Ctrl+arrows).
  TextPos NextWord(TextPos pos) const;
  TextPos PrevWord(TextPos pos) const;
  // The run of like characters at a place (a double click): a word, a run of kana, of kanji,
  // of spaces or of punctuation.
  std::pair<TextPos, TextPos> WordAt(TextPos pos) const;

 private:
  int ClassAt(int line, int column) const;

  std::vector<std::u16string> lines_;
};

}  // namespace quorvel
