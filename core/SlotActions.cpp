#include "SlotActions.h"

#include "PathFolder.h"

namespace quorvel {

SlotActions::SlotActions(SlotGrid& grid, ShellPort& shell, DialogPort& dialogs)
    : grid_(grid), shell_(shell), dialogs_(dialogs) {}

void SlotActions::LaunchSlot(const std::u16string& path, int slot) {
  // Empty strings, not null pointers, for the parameters and the working directory.
  const std::uintptr_t result = shell_.Execute(u"OPEN", path, u"", std::u16string{});
  const auto r = static_cast<std::uint16_t>(result & 0xFFFF);
  if (r >= 32)
    return;
  const int tab = grid_.CurrentTab;
  dialogs_.Notify(path + u"\r\n" + ShellErrorText(r) + u"\r\n" +
                  u"よって、このファイルアイコンを登録から外します。");
  RemoveIfStill(tab, path, slot);
}

void SlotActions::AskRemoveSlot(const std::u16string& path, int slot) {
  const int tab = grid_.CurrentTab;
  if (dialogs_.AskYesNo(path + u"\r\n" + u"このアプリを取り外しますが，いいですか？"))
    RemoveIfStill(tab, path, slot);
}

void SlotActions::OpenSlotFolder(const std::u16string& path) {
  const std::optional<std::u16string> folder = FolderOfPath(path);
  if (!folder) {
    dialogs_.ShowError(path + u"\r\n" + u"このパスは正しくないため、フォルダーを開けません。");
    return;
  }
  // The folder is the whole parameter string, unquoted, as Explorer takes it; except that
  // Explorer splits its command line at commas into switches ("/select,", "/root,"), so a folder
  // holding one goes in quotes, the one form in which Explorer takes it as a single path.
  const bool comma = folder->find(u',') != std::u16string::npos;
  shell_.Execute(u"open", u"explorer.exe", comma ? u"\"" + *folder + u"\"" : *folder, std::nullopt);
}

// The dialog before a removal runs a nested message loop: meanwhile the user may switch tabs,
// or the tray menu may register, remove or exit. Only the slot that the message named is removed:
// same tab, still filled, still holding the same path; otherwise the answer is void.
void SlotActions::RemoveIfStill(int tab, const std::u16string& path, int slot) {
  const int t = grid_.CurrentTab;
  if (t != tab || t < 0 || t >= kTabCount)
    return;
  if (slot < 0 || slot > grid_.LastSlot[t])
    return;
  if (grid_.SlotImages[t][slot].SlotPath != path)
    return;
  grid_.RemoveSlot(slot);
}

}  // namespace quorvel
