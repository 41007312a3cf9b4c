#include "IniFile.h"

#include <limits>

namespace quorvel {

namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back()))
    s.remove_suffix(1);
  return s;
}

std::u16string Fold(std::u16string_view s) {
  std::u16string f(s);
  for (char16_t& c : f) {
    if (c >= u'A' && c <= u'Z')
      c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return f;
}

bool IsQuote(char16_t c) {
  return c == u'"' || c == u'\'';
}

// The name of a "[name]" line, or nullopt for any other line. A "[" without its "]" is a damaged
// line, not a header: taking it as one would hide the keys that follow it from their section.
std::optional<std::u16string_view> HeaderName(std::u16string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != u'[')
    return std::nullopt;
  const std::size_t close = line.find(u']');
  if (close == std::u16string_view::npos)
    return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct KeyValue {
  std::u16string_view key, value;
};

std::optional<KeyValue> SplitKeyLine(std::u16string_view line) {
  const std::size_t eq = line.find(u'=');
  if (eq == std::u16string_view::npos)
    return std::nullopt;
  const std::u16string_view key = Trim(line.substr(0, eq));
  if (key.empty())
    return std::nullopt;
  return KeyValue{key, Trim(line.substr(eq + 1))};
}

// Blanks at either end, or a pair of matching quotes, would be lost on reading: quote the value.
std::u16string Encode(std::u16string_view raw) {
  std::u16string v;
  v.reserve(raw.size() + 2);
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char16_t c = raw[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < raw.size() && raw[i + 1] == u'\n')
        ++i;
      v.push_back(u' ');
    } else if (c != u'\0') {
      v.push_back(c);
    }
  }
  const bool blankEnds = !v.empty() && (IsBlank(v.front()) || IsBlank(v.back()));
  const bool quotedLook = v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back();
  if (blankEnds || quotedLook)
    return u"\"" + v + u"\"";
  return v;
}

}  // namespace

IniFile::IniFile(std::u16string_view text) {
  sections_.emplace_back();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string_view::npos)
      end = text.size();
    AddLine(std::u16string(text.substr(start, end - start)));
    if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() &&
        text[end + 1] == u'\n') {
      ++end;
    }
    start = end + 1;
  }
}

void IniFile::AddLine(std::u16string line) {
  if (const auto name = HeaderName(line)) {
    sectionIndex_.try_emplace(Fold(*name), sections_.size());
    Section s;
    s.lines.push_back(std::move(line));
    s.afterLastKey = 1;
    sections_.push_back(std::move(s));
    return;
  }
  Section& s = sections_.back();
  if (const auto kv = SplitKeyLine(line)) {
    s.keys.try_emplace(Fold(kv->key), s.lines.size());
    s.afterLastKey = s.lines.size() + 1;
  }
  s.lines.push_back(std::move(line));
}

const IniFile::Section* IniFile::Find(std::u16string_view section) const {
  const auto it = sectionIndex_.find(Fold(Trim(section)));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::u16string> IniFile::ReadString(std::u16string_view section,
                                                  std::u16string_view key) const {
  const Section* s = Find(section);
  if (!s)
    return std::nullopt;
  const auto it = s->keys.find(Fold(Trim(key)));
  if (it == s->keys.end())
    return std::nullopt;
  std::u16string_view value = SplitKeyLine(s->lines[it->second])->value;
  if (value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back()) {
    value = value.substr(1, value.size() - 2);
  }
  // A NUL would end the value for every Windows API, and writing drops it: reading does too, so
  // what the program holds is what it writes back.
  std::u16string out;
  out.reserve(value.size());
  for (const char16_t c : value) {
    if (c != u'\0')
      out.push_back(c);
  }
  return out;
}

std::int32_t IniFile::ReadInteger(std::u16string_view section, std::u16string_view key,
                                  std::int32_t fallback) const {
  const auto text = ReadString(section, key);
  if (!text)
    return fallback;
  std::u16string_view v = Trim(*text);
  bool negative = false;
  if (!v.empty() && (v.front() == u'+' || v.front() == u'-')) {
    negative = v.front() == u'-';
    v.remove_prefix(1);
  }
  if (v.empty())
    return fallback;
  std::int64_t n = 0;
  for (char16_t c : v) {
    if (c < u'0' || c > u'9')
      return fallback;
    n = n * 10 + (c - u'0');
    if (n > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1)
      return fallback;
  }
  if (negative)
    n = -n;
  if (n < std::numeric_limits<std::int32_t>::min() ||
      n > std::numeric_limits<std::int32_t>::max()) {
    return fallback;
  }
  return static_cast<std::int32_t>(n);
}

void IniFile::WriteString(std::u16string_view section, std::u16string_view key,
                          std::u16string_view value) {
  const std::u16string line = std::u16string(key) + u"=" + Encode(value);
  const auto found = sectionIndex_.find(Fold(Trim(section)));
  if (found == sectionIndex_.end()) {
    std::u16string header(1, u'[');
    header.append(section).push_back(u']');
    AddLine(std::move(header));
    AddLine(line);
    return;
  }
  Section& s = sections_[found->second];
  const std::u16string folded = Fold(Trim(key));
  if (const auto it = s.keys.find(folded); it != s.keys.end()) {
    s.lines[it->second] = line;
    return;
  }
  // Every key line lies before afterLastKey, so no stored index moves.
  s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(s.afterLastKey), line);
  s.keys.emplace(folded, s.afterLastKey);
  ++s.afterLastKey;
}

void IniFile::WriteInteger(std::u16string_view section, std::u16string_view key,
                           std::int32_t value) {
  const std::string digits = std::to_string(value);
  WriteString(section, key, std::u16string(digits.begin(), digits.end()));
}

std::u16string IniFile::Text() const {
  std::size_t size = 0;
  for (const Section& s : sections_) {
    for (const auto& l : s.lines)
      size += l.size() + 2;
  }
  std::u16string text;
  text.reserve(size);
  for (const Section& s : sections_) {
    for (const auto& l : s.lines) {
      text += l;
      text += u"\r\n";
    }
  }
  return text;
}

}  // namespace quorvel
