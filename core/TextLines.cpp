#include "TextLines.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr int kLineBreak = 2;  // CR LF

bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

enum CharClass { kSpace, kWord, kHiragana, kKatakana, kIdeograph, kPunctuation };

CharClass ClassOf(char16_t c) {
  if (c == u' ' || c == u'\t' || c == u'\u3000')
    return kSpace;
  if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
      c == u'_' || (c >= 0xC0 && c < 0x2000) || (c >= 0xFF10 && c <= 0xFF19) ||
      (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A))
    return kWord;
  if (c >= 0x3041 && c <= 0x309F)
    return kHiragana;
  if ((c >= 0x30A0 && c <= 0x30FF) || (c >= 0xFF66 && c <= 0xFF9F))
    return kKatakana;
  if ((c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || IsHighSurrogate(c) ||
      IsLowSurrogate(c) || c == u'々')
    return kIdeograph;
  return kPunctuation;
}

}  // namespace

TextLines::TextLines(std::vector<std::u16string> lines) : lines_(std::move(lines)) {
  if (lines_.empty())
    lines_.emplace_back();
}

void TextLines::Insert(int index, std::u16string line) {
  index = std::clamp(index, 0, Count());
  lines_.insert(lines_.begin() + index, std::move(line));
}

std::u16string TextLines::Text() const {
  return Text({0, 0}, End());
}

std::u16string TextLines::Text(TextPos from, TextPos to) const {
  from = Clamp(from);
  to = Clamp(to);
  if (to < from)
    std::swap(from, to);
  std::u16string out;
  for (int line = from.line; line <= to.line; ++line) {
    const std::u16string& s = lines_[line];
    const int begin = line == from.line ? from.column : 0;
    const int end = line == to.line ? to.column : static_cast<int>(s.size());
    out.append(s, begin, end - begin);
    if (line != to.line)
      out += u"\r\n";
  }
  return out;
}

int TextLines::Length() const {
  return OffsetOf(End());
}

int TextLines::OffsetOf(TextPos pos) const {
  pos = Clamp(pos);
  int offset = 0;
  for (int line = 0; line < pos.line; ++line)
    offset += static_cast<int>(lines_[line].size()) + kLineBreak;
  return offset + pos.column;
}

TextPos TextLines::PosAt(int offset) const {
  offset = std::max(offset, 0);
  for (int line = 0; line < Count(); ++line) {
    const int size = static_cast<int>(lines_[line].size());
    if (offset <= size || line == Count() - 1)
      return Clamp({line, offset});
    offset -= size + kLineBreak;
    if (offset < 0)
      return {line, size};
  }
  return End();
}

TextPos TextLines::Clamp(TextPos pos) const {
  pos.line = std::clamp(pos.line, 0, Count() - 1);
  const std::u16string& s = lines_[pos.line];
  pos.column = std::clamp(pos.column, 0, static_cast<int>(s.size()));
  if (pos.column > 0 && pos.column < static_cast<int>(s.size()) && IsLowSurrogate(s[pos.column]) &&
      IsHighSurrogate(s[pos.column - 1]))
    --pos.column;
  return pos;
}

TextPos TextLines::End() const {
  return {Count() - 1, static_cast<int>(lines_.back().size())};
}

TextPos TextLines::Next(TextPos pos) const {
  pos = Clamp(pos);
  const std::u16string& s = lines_[pos.line];
  if (pos.column >= static_cast<int>(s.size()))
    return pos.line + 1 < Count() ? TextPos{pos.line + 1, 0} : pos;
  int column = pos.column + 1;
  if (column < static_cast<int>(s.size()) && IsHighSurrogate(s[pos.column]) &&
      IsLowSurrogate(s[column]))
    ++column;
  return {pos.line, column};
}

TextPos TextLines::Prev(TextPos pos) const {
  pos = Clamp(pos);
  if (pos.column == 0)
    return pos.line > 0 ? TextPos{pos.line - 1, static_cast<int>(lines_[pos.line - 1].size())}
                        : pos;
  return Clamp({pos.line, pos.column - 1});
}

int TextLines::ClassAt(int line, int column) const {
  return ClassOf(lines_[line][column]);
}

TextPos TextLines::NextWord(TextPos pos) const {
  pos = Clamp(pos);
  const int size = static_cast<int>(lines_[pos.line].size());
  if (pos.column >= size)
    return Next(pos);
  int column = pos.column;
  const int kind = ClassAt(pos.line, column);
  while (column < size && ClassAt(pos.line, column) == kind)
    ++column;
  while (column < size && ClassAt(pos.line, column) == kSpace)
    ++column;
  return {pos.line, column};
}

TextPos TextLines::PrevWord(TextPos pos) const {
  pos = Clamp(pos);
  if (pos.column == 0)
    return Prev(pos);
  int column = pos.column;
  while (column > 0 && ClassAt(pos.line, column - 1) == kSpace)
    --column;
  if (column == 0)
    return {pos.line, 0};
  const int kind = ClassAt(pos.line, column - 1);
  while (column > 0 && ClassAt(pos.line, column - 1) == kind)
    --column;
  return {pos.line, column};
}

std::pair<TextPos, TextPos> TextLines::WordAt(TextPos pos) const {
  pos = Clamp(pos);
  const int size = static_cast<int>(lines_[pos.line].size());
  if (size == 0)
    return {pos, pos};
  // At a line's end the word is the one before.
  const int at = std::min(pos.column, size - 1);
  const int kind = ClassAt(pos.line, at);
  int begin = at, end = at;
  while (begin > 0 && ClassAt(pos.line, begin - 1) == kind)
    --begin;
  while (end < size && ClassAt(pos.line, end) == kind)
    ++end;
  return {{pos.line, begin}, {pos.line, end}};
}

}  // namespace quorvel
