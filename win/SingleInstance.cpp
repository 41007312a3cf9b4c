#include "SingleInstance.h"

#include <cstdint>
#include <cwchar>

#include "HiddenWindow.h"

namespace quorvel::win {

std::wstring InstanceKeyFor(const std::wstring& exePath) {
  // Paths run to 32,767 units, kernel object names to MAX_PATH: name by a hash of the path.
  std::wstring upper = exePath;
  if (!upper.empty())
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const wchar_t c : upper) {
    hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
  }
  wchar_t digits[17];
  swprintf(digits, 17, L"%016llx", static_cast<unsigned long long>(hash));
  return std::wstring(L"Quorvel-") + digits;
}

SingleInstance::SingleInstance(const std::wstring& key)
    : mutex_(CreateMutexW(nullptr, FALSE, (L"Local\\" + key).c_str())) {
  first_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
}

UINT ShowStripMessage() {
  return RegisterWindowMessageW(L"Quorvel.ShowStrip");
}

bool ShowRunningInstance(const std::wstring& key) {
  // The first instance may still be starting: its hidden window comes first thing.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (const HWND running = FindWindowW(HiddenWindow::kClassName, key.c_str())) {
      DWORD pid = 0;
      GetWindowThreadProcessId(running, &pid);
      AllowSetForegroundWindow(pid);  // so that it may bring its strip to the front
      return PostMessageW(running, ShowStripMessage(), 0, 0) != FALSE;
    }
    Sleep(100);
  }
  return false;
}

}  // namespace quorvel::win
