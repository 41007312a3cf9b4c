// Whatever arrangement the user builds, a close and a start give it back, and a second close
// writes the same bytes. Random arrangements from a fixed seed; QUORVEL_PROPERTY_RUNS asks for
// more of them (the torture script does).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "Fakes.h"
#include "Settings.h"

namespace quorvel {
namespace {

using test::FakeAnsi;
using test::FakeDialogs;
using test::FakeFiles;
using test::FakeIconPort;

const std::u16string kIni = u"C:\\Apps\\Quorvel.ini";

int Runs() {
  const char* asked = std::getenv("QUORVEL_PROPERTY_RUNS");
  const int n = asked ? std::atoi(asked) : 0;
  return n > 0 ? n : 300;
}

// Pieces that have tripped INI code before: blanks at the ends, quotes, the syntax characters,
// Japanese, pairs and lone halves of surrogates; line breaks and NULs for hints only (a pasted
// hint can hold them, a file name cannot).
std::u16string RandomText(std::mt19937& rng, bool hint) {
  static const std::u16string pieces[] = {
      u"a", u"Z",  u"0", u" ", u"\t", u"=",          u"[",      u"]",      u";",    u"\"",
      u"'", u"\\", u"/", u",", u"ツ", u"\U0001F600", u"\xD800", u"\xDFFF", u"名前", u".exe"};
  static const std::u16string breaks[] = {u"\r\n", u"\r", u"\n", std::u16string(1, u'\0')};
  std::uniform_int_distribution<int> length(0, 12), piece(0, std::size(pieces) - 1), odds(0, 9),
      brk(0, std::size(breaks) - 1);
  std::u16string s;
  for (int i = length(rng); i > 0; --i)
    s += hint && odds(rng) == 0 ? breaks[brk(rng)] : pieces[piece(rng)];
  return s;
}

// What a value becomes in the file: a line break is one space, a NUL nothing.
std::u16string AsStored(const std::u16string& v) {
  std::u16string out;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] == u'\r' || v[i] == u'\n') {
      if (v[i] == u'\r' && i + 1 < v.size() && v[i + 1] == u'\n')
        ++i;
      out.push_back(u' ');
    } else if (v[i] != u'\0') {
      out.push_back(v[i]);
    }
  }
  return out;
}

TEST(SettingsProperty, AnyArrangementComesBackAndSavesIdentically) {
  std::mt19937 rng(20261211);
  const Rect areas[] = {{0, 0, 1920, 1040}};
  std::uniform_int_distribution<int> count(0, 10), x(0, 1500), y(0, 900);
  const int runs = Runs();
  for (int run = 0; run < runs; ++run) {
    SCOPED_TRACE(run);
    FakeIconPort icons;
    FakeDialogs dialogs;
    FakeFiles files;
    FakeAnsi ansi;
    SlotGrid grid(icons, dialogs);
    for (int t = 0; t < kTabCount; ++t) {
      for (int n = count(rng); n > 0; --n) {
        std::u16string path = u"C:\\" + RandomText(rng, false);
        grid.AddFileToTab(t, path);
      }
      grid.TabItems[t].Hint = RandomText(rng, true);
    }
    const FormBounds form{x(rng), y(rng), 321, 61};
    ASSERT_FALSE(SaveSettings(kIni, files, ansi, grid, form).has_value());
    const Bytes first = files.files.at(kIni);

    SlotGrid back(icons, dialogs);
    FormBounds backForm{0, 0, 321, 61};
    EXPECT_TRUE(LoadSettings(kIni, files, ansi, back, backForm, areas));
    EXPECT_EQ(backForm.Left, form.Left);
    EXPECT_EQ(backForm.Top, form.Top);
    for (int t = 0; t < kTabCount; ++t) {
      ASSERT_EQ(back.LastSlot[t], grid.LastSlot[t]) << "tab " << t;
      for (int s = 0; s <= grid.LastSlot[t]; ++s)
        ASSERT_EQ(back.SlotImages[t][s].SlotPath, grid.SlotImages[t][s].SlotPath);
      ASSERT_EQ(back.TabItems[t].Hint, AsStored(grid.TabItems[t].Hint));
    }
    ASSERT_FALSE(SaveSettings(kIni, files, ansi, back, backForm).has_value());
    ASSERT_EQ(files.files.at(kIni), first) << "a second close changed the file";
    EXPECT_TRUE(dialogs.notified.empty());
  }
}

}  // namespace
}  // namespace quorvel
