// The shared message dialogs, as the system's message boxes.
#pragma once

#include <windows.h>

#include <functional>

#include "Ports.h"

namespace quorvel::win {

class Win32DialogPort : public DialogPort {
 public:
  // The owner is asked for at each showing: the main window may not exist yet at start-up.
  explicit Win32DialogPort(std::function<HWND()> owner = {}) : owner_(std::move(owner)) {}

  bool Notify(const std::u16string& message) override;
  bool AskYesNo(const std::u16string& message) override;
  void ShowError(const std::u16string& message) override;

 private:
  int Show(const std::u16string& message, UINT type);
  std::function<HWND()> owner_;
};

}  // namespace quorvel::win
