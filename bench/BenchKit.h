// What the bench programs share: a clock, medians, the 50 real executables every figure uses,
// and the settings file and plain list that name them.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "Handles.h"

namespace quorvel::bench {

inline constexpr int kRegistrations = 50;
// The settings file keeps eleven keys a tab; the bench fills the first ten of each.
inline constexpr int kKeysPerTab = 11, kListedPerTab = 10;

inline double Now() {
  static const double perMs = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER t{};
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / perMs;
}

inline double Median(std::vector<double> v) {
  if (v.empty())
    return 0;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// One line of the table, read by scripts/bench: key, Quorvel's figure, the floor's, the unit.
inline void PrintFigure(const char* key, double quorvel, double floor, const char* unit) {
  std::printf("figure %s %.6g %.6g %s\n", key, quorvel, floor, unit);
  std::fflush(stdout);
}

// What explains a figure; kept in the bench's log, not in the table.
template <typename... Args>
void PrintDetail(const char* format, Args... args) {
  std::printf("detail ");
  std::printf(format, args...);
  std::printf("\n");
  std::fflush(stdout);
}

inline std::wstring Folder(UINT(WINAPI* get)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH] = {};
  const UINT n = get(buffer, MAX_PATH);
  return std::wstring(buffer, n < MAX_PATH ? n : 0);
}

// The executables with an icon, C:\windows before C:\windows\system32, each folder in name
// order. Fewer than 50 there (a Wine prefix has a dozen) are taken again in the same order, so
// that every program of one run, and every run, registers the same 50 files.
inline std::vector<std::wstring> PickExecutables(std::size_t* distinct = nullptr) {
  std::vector<std::wstring> withIcon;
  for (const std::wstring& folder : {Folder(&GetWindowsDirectoryW), Folder(&GetSystemDirectoryW)}) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE first = FindFirstFileW((folder + L"\\*.exe").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE)
      continue;
    const win::UniqueFind find(first);
    do {
      names.push_back(found.cFileName);
    } while (FindNextFileW(find.get(), &found));
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
      return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    for (const std::wstring& name : names) {
      const std::wstring path = folder + L"\\" + name;
      // ExtractIconW gives 1 for a file that is no executable, null for one without icons.
      const win::UniqueIcon icon(ExtractIconW(GetModuleHandleW(nullptr), path.c_str(), 0));
      if (reinterpret_cast<std::uintptr_t>(icon.get()) > 1)
        withIcon.push_back(path);
    }
  }
  if (distinct)
    *distinct = withIcon.size();
  std::vector<std::wstring> picked;
  for (std::size_t i = 0; !withIcon.empty() && picked.size() < kRegistrations; ++i)
    picked.push_back(withIcon[i % withIcon.size()]);
  return picked;
}

inline bool WriteWhole(const std::wstring& path, const std::string& bytes) {
  const win::UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file &&
         WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// UTF-16LE with its byte-order mark, as the program keeps its settings.
inline std::string Utf16Bytes(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (const wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

// The settings file of the strip with tabs 0..4, slots 0..9 filled in order.
inline std::wstring SettingsText(const std::vector<std::wstring>& paths) {
  std::wstring text = L"[form]\r\ntop=40\r\nleft=40\r\n[file]\r\n";
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::size_t key = i / kListedPerTab * kKeysPerTab + i % kListedPerTab;
    text += L"name" + std::to_wstring(key) + L"=" + paths[i] + L"\r\n";
  }
  return text;
}

// The floor program's input: one path a line.
inline std::wstring ListText(const std::vector<std::wstring>& paths) {
  std::wstring text;
  for (const std::wstring& p : paths)
    text += p + L"\r\n";
  return text;
}

}  // namespace quorvel::bench
