// The shell port: ShellExecuteW.
#pragma once

#include "Ports.h"

namespace quorvel::win {

class Win32ShellPort final : public ShellPort {
 public:
  std::uintptr_t Execute(const std::u16string& verb, const std::u16string& file,
                         const std::u16string& parameters,
                         const std::optional<std::u16string>& directory) override;
};

}  // namespace quorvel::win
