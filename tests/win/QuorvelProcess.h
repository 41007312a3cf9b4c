// The built Quorvel.exe run as its own process from a folder of the test's, for tests of the
// program as a user starts it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Handles.h"

namespace quorvel::test {

// The build gives a host path; under Wine the host's root is drive Z:.
inline std::wstring BuiltQuorvelExe() {
  std::string p = QUORVEL_EXE_PATH;
  if (!p.empty() && p[0] == '/') {
    std::replace(p.begin(), p.end(), '/', '\\');
    p = "Z:" + p;
  }
  return std::wstring(p.begin(), p.end());
}

inline std::vector<char> ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

// A UTF-16LE file with its byte-order mark, as the program writes its settings.
inline void WriteUtf16(const std::filesystem::path& path, const std::wstring& text) {
  std::ofstream out(path, std::ios::binary);
  out.write("\xFF\xFE", 2);
  for (const wchar_t c : text) {
    const char pair[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    out.write(pair, 2);
  }
}

inline std::wstring ReadUtf16(const std::filesystem::path& path) {
  const std::vector<char> bytes = ReadWhole(path);
  if (bytes.size() < 2)
    return {};
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
}

// The top-level windows of one process with a class name, visible ones or all.
inline std::vector<HWND> WindowsOf(DWORD pid, const wchar_t* className, bool visibleOnly) {
  std::vector<HWND> found;
  HWND w = nullptr;
  while ((w = FindWindowExW(nullptr, w, className, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && (!visibleOnly || IsWindowVisible(w)))
      found.push_back(w);
  }
  return found;
}

class QuorvelProcess {
 public:
  // Starts `exe` (a copy in the test's folder) with that folder as its working directory.
  explicit QuorvelProcess(const std::filesystem::path& exe) {
    std::wstring cmd = L"\"" + exe.wstring() + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       exe.parent_path().c_str(), &si, &pi)) {
      process_.reset(pi.hProcess);
      thread_.reset(pi.hThread);
      id_ = pi.dwProcessId;
    }
  }
  ~QuorvelProcess() {
    // A test that failed half-way must not leave the program running.
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.get(), 1);
      WaitForSingleObject(process_.get(), 5000);
    }
  }
  QuorvelProcess(const QuorvelProcess&) = delete;
  QuorvelProcess& operator=(const QuorvelProcess&) = delete;

  bool Started() const { return static_cast<bool>(process_); }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.get(); }

  // The visible strip once it shows; null when it has not within ten seconds.
  HWND WaitForStrip() const {
    for (int i = 0; i < 500; ++i) {
      const auto strips = WindowsOf(id_, L"TForm1", true);
      if (!strips.empty())
        return strips.front();
      if (WaitForSingleObject(process_.get(), 20) != WAIT_TIMEOUT)
        return nullptr;
    }
    return nullptr;
  }

  // The exit code once the process has ended, STILL_ACTIVE when it has not within `ms`.
  DWORD WaitForExit(DWORD ms = 30000) const {
    if (WaitForSingleObject(process_.get(), ms) != WAIT_OBJECT_0)
      return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
  }

 private:
  win::UniqueHandle process_, thread_;
  DWORD id_ = 0;
};

}  // namespace quorvel::test
