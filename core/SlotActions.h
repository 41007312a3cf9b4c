// What a press on a filled slot does: launch, remove after a question, open the folder.
#pragma once

#include <cstdint>
#include <string>

#include "Ports.h"
#include "ShellErrorText.h"
#include "SlotGrid.h"

namespace quorvel {

class SlotActions {
 public:
  SlotActions(SlotGrid& grid, ShellPort& shell, DialogPort& dialogs);

  void LaunchSlot(const std::u16string& path, int slot);
  void AskRemoveSlot(const std::u16string& path, int slot);
  void OpenSlotFolder(const std::u16string& path);

 private:
  void RemoveIfStill(int tab, const std::u16string& path, int slot);

  SlotGrid& grid_;
  ShellPort& shell_;
  DialogPort& dialogs_;
};

}  // namespace quorvel
