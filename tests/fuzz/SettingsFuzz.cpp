// Any bytes as the settings file: reading never crashes, hangs or grows without bound, and what
// the program writes back reads as the same arrangement and writes back identically.
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <span>
#include <string>

#include "Settings.h"

namespace {

using namespace quorvel;

const std::u16string kIni = u"C:\\Apps\\Quorvel.ini";

// Every path has an icon except those naming "noicon", so both registration outcomes occur.
class Icons final : public IconPort {
  struct AnIcon final : Icon {};
  struct APicture final : Picture {};

 public:
  std::unique_ptr<Icon> ExtractFirstIcon(const std::u16string& path, int) override {
    if (path.find(u"noicon") != std::u16string::npos)
      return nullptr;
    return std::make_unique<AnIcon>();
  }
  std::optional<Bytes> ToIcoBytes(const Icon&) override { return Bytes{0, 0, 1, 0}; }
  PicturePtr DecodeIco(std::span<const std::uint8_t>) override {
    return std::make_shared<APicture>();
  }
};

class Dialogs final : public DialogPort {
 public:
  bool Notify(const std::u16string&) override { return true; }
  bool AskYesNo(const std::u16string&) override { return false; }
  void ShowError(const std::u16string&) override {}
};

class Files final : public FilePort {
 public:
  std::map<std::u16string, Bytes> files;
  std::optional<Bytes> ReadAll(const std::u16string& path) override {
    const auto it = files.find(path);
    if (it == files.end())
      return std::nullopt;
    return it->second;
  }
  bool Exists(const std::u16string& path) override { return files.count(path) != 0; }
  bool ReplaceAtomically(const std::u16string& path, std::span<const std::uint8_t> b) override {
    files[path] = Bytes(b.begin(), b.end());
    return true;
  }
};

class Latin1 final : public AnsiDecoder {
 public:
  std::u16string DecodeAnsi(std::span<const std::uint8_t> b) override {
    return std::u16string(b.begin(), b.end());
  }
};

struct Arrangement {
  std::u16string paths[kTabCount][kSlotsPerTab];
  std::u16string hints[kTabCount];
  int lastSlot[kTabCount] = {};
  FormBounds form{0, 0, 321, 61};
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "settings_fuzz: %s\n", what);
  std::abort();
}

Arrangement Load(Files& files, Latin1& ansi, SlotGrid& grid) {
  const Rect areas[] = {{0, 0, 1920, 1040}, {1920, -200, 3200, 824}};
  Arrangement a;  // (value-initialising it crashes clang 14)
  if (!LoadSettings(kIni, files, ansi, grid, a.form, areas))
    Fail("a file that is there read as unreadable");
  for (int t = 0; t < kTabCount; ++t) {
    for (int s = 0; s < kSlotsPerTab; ++s)
      a.paths[t][s] = grid.SlotImages[t][s].SlotPath;
    a.hints[t] = grid.TabItems[t].Hint;
    a.lastSlot[t] = grid.LastSlot[t];
  }
  return a;
}

bool Same(const Arrangement& x, const Arrangement& y) {
  for (int t = 0; t < kTabCount; ++t) {
    for (int s = 0; s < kSlotsPerTab; ++s) {
      if (x.paths[t][s] != y.paths[t][s])
        return false;
    }
    if (x.hints[t] != y.hints[t] || x.lastSlot[t] != y.lastSlot[t])
      return false;
  }
  return x.form.Left == y.form.Left && x.form.Top == y.form.Top;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Icons icons;
  Dialogs dialogs;
  Latin1 ansi;
  Files files;
  files.files[kIni] = Bytes(data, data + size);

  SlotGrid first(icons, dialogs);
  const Arrangement loaded = Load(files, ansi, first);
  if (SaveSettings(kIni, files, ansi, first, loaded.form))
    Fail("the save failed");
  const Bytes written = files.files[kIni];

  SlotGrid second(icons, dialogs);
  const Arrangement again = Load(files, ansi, second);
  if (!Same(loaded, again))
    Fail("the file written does not read as the arrangement it was written from");
  if (SaveSettings(kIni, files, ansi, second, again.form) || files.files[kIni] != written)
    Fail("a second save changed the bytes");
  return 0;
}
