// The registration and settings figures, in one process on the program's real ports:
// 50 AddFileToTab calls against 50 bare ExtractIconW, and a full LoadSettings and SaveSettings
// of a 50-path file against reading and writing the same bytes raw. Quorvel's figure and its
// floor alternate within every round.
//   quorvel_bench_inproc.exe ROUNDS
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchKit.h"
#include "Handles.h"
#include "Settings.h"
#include "SlotGrid.h"
#include "StripGeometry.h"
#include "Utf16.h"
#include "WinAnsi.h"
#include "WinFiles.h"
#include "WinIcons.h"

namespace {

using namespace quorvel;
using bench::Now;
using win::UniqueHandle;

[[noreturn]] void Fail(const char* what) {
  std::printf("error %s\n", what);
  std::fflush(stdout);
  std::exit(1);
}

// Answers every dialog at once and counts them: a count above zero means a file was refused.
class RecordingDialogs final : public DialogPort {
 public:
  int shown = 0;
  bool Notify(const std::u16string&) override {
    ++shown;
    return true;
  }
  bool AskYesNo(const std::u16string&) override {
    ++shown;
    return false;
  }
  void ShowError(const std::u16string&) override { ++shown; }
};

// The real icon port, with the time spent in each of its three steps.
class TimedIconPort final : public IconPort {
 public:
  double extractMs = 0, toIcoMs = 0, decodeMs = 0;

  std::unique_ptr<Icon> ExtractFirstIcon(const std::u16string& path, int sizePx) override {
    const double start = Now();
    auto icon = real_.ExtractFirstIcon(path, sizePx);
    extractMs += Now() - start;
    return icon;
  }
  std::optional<Bytes> ToIcoBytes(const Icon& icon) override {
    const double start = Now();
    auto bytes = real_.ToIcoBytes(icon);
    toIcoMs += Now() - start;
    return bytes;
  }
  PicturePtr DecodeIco(std::span<const std::uint8_t> ico) override {
    const double start = Now();
    auto picture = real_.DecodeIco(ico);
    decodeMs += Now() - start;
    return picture;
  }

 private:
  win::Win32IconPort real_;
};

// For the settings figure: every path gets one shared picture at no cost, so that the figure
// is the settings file's and the registration figure alone holds the icons.
class StubIconPort final : public IconPort {
 public:
  std::unique_ptr<Icon> ExtractFirstIcon(const std::u16string&, int) override {
    return std::make_unique<Icon>();
  }
  std::optional<Bytes> ToIcoBytes(const Icon&) override { return Bytes{}; }
  PicturePtr DecodeIco(std::span<const std::uint8_t>) override { return picture_; }

 private:
  PicturePtr picture_ = std::make_shared<const Picture>();
};

double TimeRegistration(IconPort& icons, const std::vector<std::u16string>& paths) {
  RecordingDialogs dialogs;
  SlotGrid grid(icons, dialogs);
  grid.SetIconSize(StripGeometry().SlotPixels());  // as the strip asks at 96 DPI
  const double start = Now();
  for (std::size_t i = 0; i < paths.size(); ++i)
    grid.AddFileToTab(static_cast<int>(i / bench::kListedPerTab), paths[i]);
  const double ms = Now() - start;
  if (dialogs.shown != 0 || grid.LastSlot[kTabCount - 1] != bench::kListedPerTab - 1)
    Fail("a registration was refused");
  return ms;
}

double TimeBareExtraction(const std::vector<std::wstring>& paths) {
  const double start = Now();
  for (const std::wstring& p : paths) {
    const win::UniqueIcon icon(ExtractIconW(GetModuleHandleW(nullptr), p.c_str(), 0));
    if (!icon)
      Fail("ExtractIconW gave no icon");
  }
  return Now() - start;
}

// A folder of the bench's own under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, base);
    path_ =
        std::filesystem::path(base) / (L"quorvel-bench-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::wstring File(const wchar_t* name) const { return (path_ / name).wstring(); }

 private:
  std::filesystem::path path_;
};

double TimeRawRead(const std::wstring& path) {
  const double start = Now();
  const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size))
    Fail("raw read: cannot open");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size()) {
    Fail("raw read failed");
  }
  return Now() - start;
}

double TimeRawWrite(const std::wstring& path, const Bytes& bytes) {
  const double start = Now();
  {
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file ||
        !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
      Fail("raw write failed");
    }
  }
  return Now() - start;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? _wtoi(argv[1]) : 31;
  const win::OleSession ole;  // the decoder needs COM, as on the strip's thread
  std::size_t distinct = 0;
  const std::vector<std::wstring> wide = bench::PickExecutables(&distinct);
  if (wide.size() != bench::kRegistrations)
    Fail("no executable with an icon in the Windows folders");
  bench::PrintDetail("the 50 registrations take %zu distinct executables with an icon", distinct);
  std::vector<std::u16string> paths;
  for (const std::wstring& p : wide)
    paths.push_back(win::ToU16(p));

  // Registration. A first pass of each warms the file cache and loads the codecs.
  win::Win32IconPort icons;
  TimeRegistration(icons, paths);
  TimeBareExtraction(wide);
  std::vector<double> added, bare;
  for (int r = 0; r < rounds; ++r) {
    if (r % 2) {
      added.push_back(TimeRegistration(icons, paths));
      bare.push_back(TimeBareExtraction(wide));
    } else {
      bare.push_back(TimeBareExtraction(wide));
      added.push_back(TimeRegistration(icons, paths));
    }
  }
  TimedIconPort timed;
  for (int r = 0; r < rounds; ++r)
    TimeRegistration(timed, paths);
  bench::PrintDetail(
      "registration of 50: median %.2f ms against %.2f ms bare; the port's steps, mean of %d "
      "rounds: ExtractFirstIcon %.2f ms, ToIcoBytes %.2f ms, DecodeIco %.2f ms",
      bench::Median(added), bench::Median(bare), rounds, timed.extractMs / rounds,
      timed.toIcoMs / rounds, timed.decodeMs / rounds);
  bench::PrintFigure("registration_50", bench::Median(added), bench::Median(bare), "ms");

  // Settings, on a file already in the form SaveSettings writes, so that every round reads
  // and writes the same bytes.
  const TempFolder temp;
  const std::wstring settingsPath = temp.File(L"Quorvel.ini"), rawPath = temp.File(L"raw.ini");
  const std::u16string settings = win::ToU16(settingsPath);
  if (!bench::WriteWhole(settingsPath, bench::Utf16Bytes(bench::SettingsText(wide))))
    Fail("cannot write the settings file");
  win::Win32FilePort files;
  win::Win32AnsiDecoder ansi;
  StubIconPort stub;
  RecordingDialogs dialogs;
  const Rect workArea{0, 0, 1920, 1040};
  const auto load = [&](SlotGrid& grid, FormBounds& form) {
    form = {0, 0, StripGeometry().Width(), StripGeometry().Height()};
    const double start = Now();
    const bool read = LoadSettings(settings, files, ansi, grid, form, std::span(&workArea, 1));
    const double took = Now() - start;
    if (!read)
      Fail("the settings file could not be read");
    return took;
  };
  const auto save = [&](const SlotGrid& grid, const FormBounds& form) {
    const double start = Now();
    if (SaveSettings(settings, files, ansi, grid, form))
      Fail("SaveSettings failed");
    return Now() - start;
  };
  {
    SlotGrid grid(stub, dialogs);
    FormBounds form;
    load(grid, form);
    save(grid, form);
  }
  const std::optional<Bytes> bytes = files.ReadAll(settings);
  if (!bytes)
    Fail("cannot read the settings file back");
  const int settingsRounds = rounds * 4;
  std::vector<double> loads, saves, reads, writes;
  for (int r = 0; r < settingsRounds; ++r) {
    SlotGrid grid(stub, dialogs);
    FormBounds form;
    if (r % 2) {
      loads.push_back(load(grid, form));
      saves.push_back(save(grid, form));
      reads.push_back(TimeRawRead(settingsPath));
      writes.push_back(TimeRawWrite(rawPath, *bytes));
    } else {
      reads.push_back(TimeRawRead(settingsPath));
      writes.push_back(TimeRawWrite(rawPath, *bytes));
      loads.push_back(load(grid, form));
      saves.push_back(save(grid, form));
    }
    if (grid.LastSlot[kTabCount - 1] != bench::kListedPerTab - 1)
      Fail("LoadSettings did not register every path");
  }
  // The file port's two calls alone, to tell file work from the settings' own.
  std::vector<double> readAlls, replaces;
  for (int r = 0; r < settingsRounds; ++r) {
    double start = Now();
    if (!files.ReadAll(settings))
      Fail("ReadAll failed");
    readAlls.push_back(Now() - start);
    start = Now();
    if (!files.ReplaceAtomically(settings, *bytes))
      Fail("ReplaceAtomically failed");
    replaces.push_back(Now() - start);
  }
  bench::PrintDetail(
      "settings file of %zu bytes, %d rounds: load %.3f ms, raw read %.3f ms, "
      "save %.3f ms, raw write %.3f ms; of which ReadAll %.3f ms, "
      "ReplaceAtomically %.3f ms",
      bytes->size(), settingsRounds, bench::Median(loads), bench::Median(reads),
      bench::Median(saves), bench::Median(writes), bench::Median(readAlls),
      bench::Median(replaces));
  bench::PrintFigure("settings_load", bench::Median(loads), bench::Median(reads), "ms");
  bench::PrintFigure("settings_save", bench::Median(saves), bench::Median(writes), "ms");
  return dialogs.shown == 0 ? 0 : 1;
}
