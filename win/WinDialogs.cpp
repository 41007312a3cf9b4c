#include <windows.h>

#include "WinDialogs.h"

#include <utility>

#include "Utf16.h"

namespace quorvel::win {
namespace {

constexpr wchar_t kCaption[] = L"Quorvel";
// The strip is topmost; a box that were not would open behind it.
constexpr UINT kOnTop = MB_TOPMOST | MB_SETFOREGROUND;

}  // namespace

Win32DialogPort::Win32DialogPort(std::function<HWND()> owner) : owner_(std::move(owner)) {}

int Win32DialogPort::Show(const std::u16string& message, UINT type) const {
  const HWND owner = owner_ ? owner_() : nullptr;
  return MessageBoxW(owner, ToWide(message).c_str(), kCaption, type | kOnTop);
}

bool Win32DialogPort::Notify(const std::u16string& message) {
  return Show(message, MB_OK | MB_ICONQUESTION | MB_DEFBUTTON1) == IDOK;
}

bool Win32DialogPort::AskYesNo(const std::u16string& message) {
  return Show(message, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void Win32DialogPort::ShowError(const std::u16string& message) {
  Show(message, MB_OK | MB_ICONERROR);
}

}  // namespace quorvel::win
