// The fault classes the torture run puts the real program through, and what each one reports.
#pragma once

#include <windows.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace quorvel::torture {

struct Options {
  bool quick = false;              // a few cases per class, for the test pass
  std::filesystem::path fullDisk;  // a small file system's folder; empty: that case is skipped
};

// One line of the table: how many cases ran, how many lost or damaged what was stored, what
// the user was shown (message texts, counted), and a remark (timings, skipped cases).
struct Outcome {
  std::string name;
  int cases = 0;
  int lost = 0;
  int corrupted = 0;
  std::map<std::wstring, int> seen;
  std::wstring note;
  std::vector<std::wstring> failures;  // one line per case that lost or damaged something

  void Fail(bool corruptedFile, const std::wstring& what) {
    ++(corruptedFile ? corrupted : lost);
    failures.push_back(what);
  }
  void Saw(const std::vector<std::wstring>& texts) {
    for (const auto& t : texts)
      ++seen[t];
  }
};

Outcome DamagedFiles(const Options& options);
Outcome SaveFaults(const Options& options);
Outcome SessionFaults(const Options& options);
Outcome LaunchInput(const Options& options);

// The stand-in program that slots launch: it notes its own path and command line and ends.
// A copy of this executable is the probe when its log is named in its environment at start.
bool IsProbe();
int RunProbe();

}  // namespace quorvel::torture
