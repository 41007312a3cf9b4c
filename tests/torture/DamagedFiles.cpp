// Damaged settings files: the program starts on safe values, and its next close writes a whole
// file that keeps every registration it could read.
#include <random>

#include "Torture.h"
#include "TortureKit.h"

namespace quorvel::torture {

namespace {

using namespace std::string_literals;

struct Damage {
  std::wstring name;
  std::vector<char> bytes;
  std::vector<std::wstring> readable;  // the registrations that must survive
  bool large = false;                  // what other programs stored must come through whole
};

std::wstring FileSection(const std::vector<std::wstring>& paths) {
  std::wstring s = L"[file]\r\n";
  for (std::size_t i = 0; i < paths.size(); ++i)
    s += L"name" + std::to_wstring(i) + L"=" + paths[i] + L"\r\n";
  return s;
}

std::vector<Damage> Damages(bool quick) {
  const auto real = RealPrograms();
  const std::vector<std::wstring> two(real.begin(), real.begin() + 2);
  std::vector<Damage> out;
  std::mt19937 rng(7);
  for (int seed = 0; seed < (quick ? 2 : 12); ++seed) {
    std::vector<char> noise(4096 + seed * 977);
    for (char& c : noise)
      c = static_cast<char>(rng());
    if (seed % 2)  // half of them pass for UTF-16 at first sight
      noise[0] = '\xFF', noise[1] = '\xFE';
    out.push_back({L"random bytes", noise, {}});
  }
  {
    std::vector<char> b =
        Utf16File(L"[form]\r\ntop=40\r\nleft=40\r\n" + FileSection(two) + L"[tab]\r\nname0=途中で");
    b.push_back('A');  // half a code unit
    out.push_back({L"truncated UTF-16", b, two});
  }
  out.push_back({L"lone surrogates",
                 Utf16File(FileSection({real[0], std::wstring(L"C:\\\xD800x.exe")}) +
                           L"[tab]\r\nname0=\xDC00 ヒント\r\nname1=\xD83D\r\n"),
                 {real[0]}});
  out.push_back(
      {L"NULs",
       Utf16File(L"\0[mine]\r\nx=\0\0\r\n"s + FileSection(two) + L"[tab]\r\nname2=a\0b\r\n"s),
       two});
  out.push_back(
      {L"a 1 MB line",
       Utf16File(L"[mine]\r\nbig=" + std::wstring(1 << 20, L'x') + L"\r\n" + FileSection(two)), two,
       true});
  out.push_back({L"40,000-character paths",
                 Utf16File(FileSection({real[0], L"C:\\" + std::wstring(40000, L'a') + L".exe",
                                        std::wstring(40000, L'\\') + real[1]})),
                 {real[0]}});
  out.push_back({L"duplicate sections and keys",
                 Utf16File(FileSection({real[0]}) + L"name0=" + real[1] + L"\r\n[FILE]\r\nname1=" +
                           real[2] + L"\r\n[form]\r\ntop=30\r\n[form]\r\ntop=999999\r\n" +
                           L"[file]\r\nname2=" + real[3] + L"\r\n"),
                 {real[0]}});
  out.push_back({L"every key absent", Utf16File(L"[form]\r\n[file]\r\n[tab]\r\n"), {}});
  out.push_back({L"an empty file", {}, {}});
  if (!quick) {
    // Real registrations first, then 100 MB that other programs put there.
    std::wstring text = FileSection(two) + L"[other]\r\n";
    const std::wstring line = L"k=" + std::wstring(1000, L'v') + L"\r\n";
    while (text.size() * 2 < 100u * 1024 * 1024)
      text += line;
    out.push_back({L"a 100 MB file", Utf16File(text), two, true});
  }
  return out;
}

}  // namespace

Outcome DamagedFiles(const Options& options) {
  Outcome o;
  o.name = "damaged settings files";
  double slowest = 0;
  std::wstring slowestName;
  for (const Damage& d : Damages(options.quick)) {
    ++o.cases;
    const Stage stage;
    WriteBytes(stage.Ini(), d.bytes);
    const LARGE_INTEGER start = Now();
    const QuorvelProcess quorvel(stage.Exe());
    const DialogWatcher watcher(quorvel.Id(), DialogWatcher::Answer::Ok);
    const HWND strip = quorvel.WaitForStrip();
    const double ms = Milliseconds(start, Now());
    if (ms > slowest)
      slowest = ms, slowestName = d.name;
    if (!strip) {
      o.Fail(false, d.name + L": the strip never showed");
      continue;
    }
    PostMessageW(strip, WM_CLOSE, 0, 0);
    if (quorvel.WaitForExit(60000) != 0) {
      o.Fail(false, d.name + L": the program did not end after its close");
      continue;
    }
    o.Saw(watcher.Texts());
    const auto file = WholeSettings(stage.Ini());
    if (!file) {
      o.Fail(true, d.name + L": the file written is not whole");
      continue;
    }
    if (const auto missing = Missing(*file, d.readable); !missing.empty())
      o.Fail(false, d.name + L": lost " + missing.front());
    else if (d.large && std::filesystem::file_size(stage.Ini()) < d.bytes.size())
      o.Fail(false, d.name + L": lost what other programs stored");
  }
  o.note = L"slowest start " + std::to_wstring(static_cast<int>(slowest)) + L" ms (" + slowestName +
           L")";
  return o;
}

}  // namespace quorvel::torture
