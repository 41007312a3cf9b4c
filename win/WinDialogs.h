// The dialog port: the system's message box, owned by the main window once it exists.
#pragma once

#include <windows.h>

#include <functional>

#include "Ports.h"

namespace quorvel::win {

class Win32DialogPort final : public DialogPort {
 public:
  // owner is asked at every message; no getter, or a null window, means no owner.
  explicit Win32DialogPort(std::function<HWND()> owner = {});

  bool Notify(const std::u16string& message) override;
  bool AskYesNo(const std::u16string& message) override;
  void ShowError(const std::u16string& message) override;

 private:
  int Show(const std::u16string& message, UINT type) const;

  std::function<HWND()> owner_;
};

}  // namespace quorvel::win
