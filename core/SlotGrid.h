// The slot grid: five tabs of eleven slots, the program's whole state of registrations.
#pragma once

#include <array>
#include <string>

#include "Ports.h"

namespace quorvel {

inline constexpr int kTabCount = 5;
inline constexpr int kSlotsPerTab = 11;  // slot 10 is the always-empty source for shifting left
inline constexpr int kMaxFilled = 10;

struct TabItem {
  std::u16string Text;  // "アプリ 1" … "アプリ 5"
  std::u16string Hint;  // also the header's tooltip
  int Tag = 0;
};

struct Slot {
  PicturePtr Picture;       // null: no picture
  std::u16string SlotPath;  // empty: the slot is empty
  int Tag = 0;
  bool Filled() const { return !SlotPath.empty(); }
};

class SlotGrid {
 public:
  SlotGrid(IconPort& icons, DialogPort& dialogs);

  std::array<TabItem, kTabCount> TabItems;
  std::array<std::array<Slot, kSlotsPerTab>, kTabCount> SlotImages;
  std::array<int, kTabCount> LastSlot;
  int CurrentTab = 0;

  // Registers `path` in the next free slot of `tab`; a full tab drops it silently, a file
  // without a usable icon is reported and leaves the grid as it was.
  void AddFileToTab(int tab, const std::u16string& path);
  // Takes the file's first icon into the slot and stores the path; false leaves the slot as is.
  bool LoadSlotIcon(int tab, int slot, const std::u16string& path);
  // Removes slot `slot` of the current tab; the later slots move one place left.
  void RemoveSlot(int slot);
  static void CopySlot(const Slot& source, Slot& target);

  // Physical pixel size at which icons are taken (0: the system's large icon size).
  void SetIconSize(int sizePx) { iconSizePx_ = sizePx; }
  int IconSize() const { return iconSizePx_; }

 private:
  IconPort& icons_;
  DialogPort& dialogs_;
  int iconSizePx_ = 0;
};

// The message shown when a file's icon cannot be taken.
std::u16string NoIconMessage(const std::u16string& path);

}  // namespace quorvel
