// The popup menu's captions and the commands that act on the current tab.
#pragma once

#include <string>

#include "Ports.h"
#include "SlotGrid.h"

namespace quorvel {

struct PopupCaptions {
  std::u16string open, hint;
};

// Rewritten at every opening so that both name the current tab.
PopupCaptions CaptionsFor(const SlotGrid& grid);

inline constexpr char16_t kMiniCaption[] = u"隠す(表示はタスクトレイアイコンをクリック)";
inline constexpr char16_t kAboutCaption[] = u"About";
inline constexpr char16_t kDashCaption[] = u"--------------------";
inline constexpr char16_t kExitCaption[] = u"Quorvelの終了";

// The glyph of each item, top to bottom, by image-list index (-1: none). Hide shows the down
// arrow (4) and About the book (2): the list's order is not the menu's.
inline constexpr int kMenuImageIndex[6] = {0, 1, 4, 2, -1, 3};

// Registers the chosen executable in the current tab (read after the dialog has closed).
void pmOpenClick(SlotGrid& grid, CommandDialogPort& dialogs);
// Edits the current tab's hint; a cancelled query keeps it.
void pmHintClick(SlotGrid& grid, CommandDialogPort& dialogs);

}  // namespace quorvel
