#include "Settings.h"

#include "Decimal.h"
#include "IniFile.h"
#include "TextEncoding.h"

namespace quorvel {

namespace {

constexpr std::int32_t kDefaultPosition = 10;

std::u16string NameKey(int n) {
  return u"name" + Decimal(n);
}

// nullopt when the file is there but cannot be read; an empty file when there is none.
std::optional<IniFile> ReadIni(const std::u16string& iniPath, FilePort& files, AnsiDecoder& ansi) {
  const std::optional<Bytes> bytes = files.ReadAll(iniPath);
  if (!bytes) {
    if (files.Exists(iniPath))
      return std::nullopt;
    return IniFile();
  }
  return IniFile(DecodeSettingsText(*bytes, ansi));
}

}  // namespace

std::u16string SettingsPathFor(const std::u16string& exePath) {
  const std::size_t nameStart = exePath.find_last_of(u"\\/") + 1;  // npos + 1 == 0
  const std::size_t dot = exePath.rfind(u'.');
  const std::size_t stem = (dot == std::u16string::npos || dot < nameStart) ? exePath.size() : dot;
  return exePath.substr(0, stem) + u".ini";
}

bool LoadSettings(const std::u16string& iniPath, FilePort& files, AnsiDecoder& ansi, SlotGrid& grid,
                  FormBounds& form, std::span<const Rect> workAreas) {
  const std::optional<IniFile> read = ReadIni(iniPath, files, ansi);
  const IniFile ini = read.value_or(IniFile());
  form.Top = ini.ReadInteger(u"form", u"top", kDefaultPosition);
  form.Left = ini.ReadInteger(u"form", u"left", kDefaultPosition);
  int k = 0;
  for (int t = 0; t < kTabCount; ++t) {
    for (int s = 0; s < kSlotsPerTab; ++s, ++k) {
      const std::u16string path = ini.ReadString(u"file", NameKey(k)).value_or(u"");
      if (!path.empty())
        grid.AddFileToTab(t, path);
    }
  }
  for (int i = 0; i < kTabCount; ++i) {
    grid.TabItems[i].Hint = ini.ReadString(u"tab", NameKey(i)).value_or(u"ヒント " + Decimal(i));
  }
  const Position p = KeepOnScreen(workAreas, form.Left, form.Top, form.Width, form.Height);
  form.Left = p.Left;
  form.Top = p.Top;
  return read.has_value();
}

std::optional<std::u16string> SaveSettings(const std::u16string& iniPath, FilePort& files,
                                           AnsiDecoder& ansi, const SlotGrid& grid,
                                           const FormBounds& form) {
  // Start from what the file holds, so that lines of other sections and keys are kept.
  std::optional<IniFile> read = ReadIni(iniPath, files, ansi);
  if (!read)
    return iniPath + u" に書き込めません";
  IniFile& ini = *read;
  ini.WriteInteger(u"form", u"top", form.Top);
  ini.WriteInteger(u"form", u"left", form.Left);
  int k = 0;
  for (int t = 0; t < kTabCount; ++t) {
    for (int s = 0; s < kSlotsPerTab; ++s, ++k) {
      ini.WriteString(u"file", NameKey(k), grid.SlotImages[t][s].SlotPath);
    }
  }
  for (int i = 0; i < kTabCount; ++i)
    ini.WriteString(u"tab", NameKey(i), grid.TabItems[i].Hint);
  if (files.ReplaceAtomically(iniPath, EncodeUtf16LeWithBom(ini.Text())))
    return std::nullopt;
  return iniPath + u" に書き込めません";
}

}  // namespace quorvel
