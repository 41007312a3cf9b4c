#include "PopupCommands.h"

namespace quorvel {

namespace {

std::u16string HintPrompt(const std::u16string& tabText) {
  return u"タブ「" + tabText + u"」にヒントを設定";
}

}  // namespace

PopupCaptions CaptionsFor(const SlotGrid& grid) {
  const std::u16string& s = grid.TabItems[grid.CurrentTab].Text;
  return {u"ファイルを開いてタブ「" + s + u"」に追加", HintPrompt(s)};
}

void pmOpenClick(SlotGrid& grid, CommandDialogPort& dialogs) {
  const std::optional<std::u16string> path = dialogs.ChooseExecutable();
  if (!path || path->empty())
    return;
  grid.AddFileToTab(grid.CurrentTab, *path);
}

void pmHintClick(SlotGrid& grid, CommandDialogPort& dialogs) {
  const int tab = grid.CurrentTab;
  const TabItem& t = grid.TabItems[tab];
  const std::optional<std::u16string> value =
      dialogs.InputQuery(u"Quorvel", HintPrompt(t.Text), t.Hint);
  if (value)
    grid.TabItems[tab].Hint = *value;
}

}  // namespace quorvel
