#include <windows.h>
#include <shellapi.h>

#include "WinShell.h"

#include "Utf16.h"
#include "WinFiles.h"

namespace quorvel::win {

std::uintptr_t Win32ShellPort::Execute(const std::u16string& verb, const std::u16string& file,
                                       const std::u16string& parameters,
                                       const std::optional<std::u16string>& directory) {
  // A program stored beyond MAX_PATH is started by its short name; the registration keeps the
  // path as stored.
  const std::wstring v = ToWide(verb), f = ShellReachablePath(ToWide(file)), p = ToWide(parameters);
  const std::wstring d = directory ? ToWide(*directory) : std::wstring();
  // Empty strings stay empty strings: only an absent directory becomes a null pointer.
  const HINSTANCE result = ShellExecuteW(nullptr, v.c_str(), f.c_str(), p.c_str(),
                                         directory ? d.c_str() : nullptr, SW_SHOW);
  return reinterpret_cast<std::uintptr_t>(result);
}

}  // namespace quorvel::win
