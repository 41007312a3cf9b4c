#include "SlotActions.h"

#include "PathFolder.h"

namespace quorvel {

namespace {

constexpr char16_t kRemovedLine[] = u"よって、このファイルアイコンを登録から外します。";

}  // namespace

SlotActions::SlotActions(SlotGrid& grid, ShellPort& shell, DialogPort& dialogs)
    : grid_(grid), shell_(shell), dialogs_(dialogs) {}

void SlotActions::LaunchSlot(const std::u16string& path, int slot) {
  const auto r =
      static_cast<std::uint16_t>(shell_.Execute(u"OPEN", path, u"", std::u16string{}) & 0xFFFF);
  if (r >= 32)
    return;
  const int tab = grid_.CurrentTab;
  dialogs_.Notify(path + u"\r\n" + ShellErrorText(r) + u"\r\n" + kRemovedLine);
  RemoveIfStill(tab, path, slot);
}

void SlotActions::AskRemoveSlot(const std::u16string& path, int slot) {
  const int tab = grid_.CurrentTab;
  if (dialogs_.AskYesNo(path + u"\r\n" + u"このアプリを取り外しますが，いいですか？")) {
    RemoveIfStill(tab, path, slot);
  }
}

void SlotActions::OpenSlotFolder(const std::u16string& path) {
  const std::optional<std::u16string> folder = FolderOfPath(path);
  if (!folder) {
    dialogs_.ShowError(path + u"\r\n" + u"このパスは正しくないため、フォルダーを開けません。");
    return;
  }
  shell_.Execute(u"open", u"explorer.exe", *folder, std::nullopt);
}

// The dialog runs a nested message loop in which the tab may change or the slot move; only the
// slot that the message named is ever removed.
void SlotActions::RemoveIfStill(int tab, const std::u16string& path, int slot) {
  const int t = grid_.CurrentTab;
  if (t != tab)
    return;
  if (slot < 0 || slot > grid_.LastSlot[t])
    return;
  if (grid_.SlotImages[t][slot].SlotPath != path)
    return;
  grid_.RemoveSlot(slot);
}

}  // namespace quorvel
