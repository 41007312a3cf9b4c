#include "WinDialogs.h"

#include "Utf16.h"

namespace quorvel::win {

namespace {

constexpr wchar_t kCaption[] = L"Quorvel";

}  // namespace

// Topmost and foreground, or the message would open behind the always-on-top strip.
int Win32DialogPort::Show(const std::u16string& message, UINT type) {
  const std::wstring text = ToWide(message);
  return MessageBoxW(owner_ ? owner_() : nullptr, text.c_str(), kCaption,
                     type | MB_TOPMOST | MB_SETFOREGROUND);
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
