// The system's open-file dialog and a small input query of our own, in the system's look.
#pragma once

#include <windows.h>

#include <functional>

#include "Ports.h"

namespace quorvel::win {

class Win32CommandDialogs : public CommandDialogPort {
 public:
  explicit Win32CommandDialogs(std::function<HWND()> owner = {}) : owner_(std::move(owner)) {}
  std::optional<std::u16string> ChooseExecutable() override;
  std::optional<std::u16string> InputQuery(const std::u16string& caption,
                                           const std::u16string& prompt,
                                           const std::u16string& value) override;

 private:
  HWND Owner() const { return owner_ ? owner_() : nullptr; }
  std::function<HWND()> owner_;
};

// Control ids of the input query, for whoever drives it.
inline constexpr int kQueryEditId = 100;
inline constexpr int kQueryPromptId = 101;

}  // namespace quorvel::win
