#include "SlotGrid.h"

#include "Decimal.h"

namespace quorvel {

std::u16string NoIconMessage(const std::u16string& path) {
  return path + u"\r\n" + u"のファイルからアイコンが取り出せませんでした。" + u"\r\n" +
         u"よって、このファイルアイコンを登録から外します。";
}

SlotGrid::SlotGrid(IconPort& icons, DialogPort& dialogs) : icons_(icons), dialogs_(dialogs) {
  for (int t = 0; t < kTabCount; ++t) {
    TabItems[t] = {u"アプリ " + Decimal(t + 1), u"ヒント " + Decimal(t + 1), t};
    for (int s = 0; s < kSlotsPerTab; ++s)
      SlotImages[t][s].Tag = s;
    LastSlot[t] = -1;
  }
}

void SlotGrid::AddFileToTab(int tab, const std::u16string& path) {
  if (tab < 0 || tab >= kTabCount)
    return;
  const int k = LastSlot[tab] + 1;
  if (k >= kMaxFilled)
    return;
  // The slot stays claimed while the message is open; only its close gives it back.
  LastSlot[tab] = k;
  if (LoadSlotIcon(tab, k, path))
    return;
  dialogs_.Notify(NoIconMessage(path));
  LastSlot[tab] = k - 1;
}

bool SlotGrid::LoadSlotIcon(int tab, int slot, const std::u16string& path) {
  // Slot 10 must stay empty: it is what the last filled slot takes when slots move left.
  if (tab < 0 || tab >= kTabCount || slot < 0 || slot >= kMaxFilled)
    return false;
  const std::unique_ptr<Icon> icon = icons_.ExtractFirstIcon(path, iconSizePx_);
  if (!icon)
    return false;
  // A conversion or decoding failure counts as "no icon": the caller then gives the slot back,
  // so no empty slot is ever left inside the filled range.
  const std::optional<Bytes> ico = icons_.ToIcoBytes(*icon);
  if (!ico)
    return false;
  PicturePtr picture = icons_.DecodeIco(*ico);
  if (!picture)
    return false;
  Slot& target = SlotImages[tab][slot];
  target.Picture = std::move(picture);
  target.SlotPath = path;
  return true;
}

void SlotGrid::RemoveSlot(int slot) {
  const int t = CurrentTab;
  if (t < 0 || t >= kTabCount)
    return;
  const int last = LastSlot[t];
  if (slot < 0 || slot > last)
    return;
  // Ascending, so each slot takes its neighbour before that one is overwritten; slot `last`
  // takes slot last + 1, which is always empty.
  for (int k = slot; k <= last; ++k)
    CopySlot(SlotImages[t][k + 1], SlotImages[t][k]);
  LastSlot[t] = last - 1;
}

void SlotGrid::CopySlot(const Slot& source, Slot& target) {
  target.Picture = source.Picture;
  target.SlotPath = source.SlotPath;
}

}  // namespace quorvel
