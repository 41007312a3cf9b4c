// Puts the real program through every class of fault and prints, per class, the cases tried,
// how many lost or damaged what was stored, and what the user was shown.
//   torture.exe [--quick] [--full-disk DIR] [--only damaged|save|session|launch]
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "Torture.h"

namespace {

std::string Utf8(const std::wstring& w) {
  if (w.empty())
    return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

// Message texts on one line each: their line breaks as " / ", long paths shortened.
std::string Shown(const std::wstring& text) {
  std::wstring t;
  for (const wchar_t c : text)
    t += c == L'\r' ? std::wstring() : c == L'\n' ? std::wstring(L" / ") : std::wstring(1, c);
  if (t.size() > 110)
    t = t.substr(0, 50) + L" … " + t.substr(t.size() - 50);
  return Utf8(t);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace quorvel::torture;
  if (IsProbe())
    return RunProbe();  // started by the program from one of its slots
  Options options;
  std::wstring only;
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"--quick")
      options.quick = true;
    else if (a == L"--full-disk" && i + 1 < argc)
      options.fullDisk = argv[++i];
    else if (a == L"--only" && i + 1 < argc)
      only = argv[++i];
  }
  using Class = Outcome (*)(const Options&);
  const std::pair<const wchar_t*, Class> classes[] = {{L"damaged", DamagedFiles},
                                                      {L"save", SaveFaults},
                                                      {L"session", SessionFaults},
                                                      {L"launch", LaunchInput}};
  std::vector<Outcome> outcomes;
  for (const auto& [name, run] : classes) {
    if (only.empty() || only == name)
      outcomes.push_back(run(options));
  }
  std::printf("%-26s %6s %5s %10s  %s\n", "fault class", "cases", "lost", "corrupted", "remark");
  int bad = 0;
  for (const Outcome& o : outcomes) {
    std::printf("%-26s %6d %5d %10d  %s\n", o.name.c_str(), o.cases, o.lost, o.corrupted,
                Utf8(o.note).c_str());
    bad += o.lost + o.corrupted;
  }
  for (const Outcome& o : outcomes) {
    std::printf("\n%s — what the user saw:\n", o.name.c_str());
    if (o.seen.empty())
      std::printf("  (no message)\n");
    for (const auto& [text, times] : o.seen)
      std::printf("  %3dx %s\n", times, Shown(text).c_str());
    for (const auto& f : o.failures)
      std::printf("  FAILED: %s\n", Shown(f).c_str());
  }
  std::printf("\n%s\n", bad == 0 ? "all-zero loss" : "LOSS OR DAMAGE FOUND");
  return bad == 0 ? 0 : 1;
}
