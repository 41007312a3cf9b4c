#include "Clipboard.h"

#include <cstring>

#include "Handles.h"

namespace quorvel::win {

namespace {

class OpenClipboardGuard {
 public:
  explicit OpenClipboardGuard(HWND owner) noexcept : open_(OpenClipboard(owner) != 0) {}
  OpenClipboardGuard(const OpenClipboardGuard&) = delete;
  OpenClipboardGuard& operator=(const OpenClipboardGuard&) = delete;
  ~OpenClipboardGuard() {
    if (open_)
      CloseClipboard();
  }
  bool ok() const noexcept { return open_; }

 private:
  bool open_;
};

}  // namespace

bool CopyToClipboard(HWND owner, std::u16string_view text) {
  const size_t bytes = (text.size() + 1) * sizeof(char16_t);
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory)
    return false;
  void* data = GlobalLock(memory.get());
  if (!data)
    return false;
  std::memcpy(data, text.data(), text.size() * sizeof(char16_t));
  static_cast<char16_t*>(data)[text.size()] = u'\0';
  GlobalUnlock(memory.get());

  const OpenClipboardGuard clipboard(owner);
  if (!clipboard.ok() || !EmptyClipboard())
    return false;
  if (!SetClipboardData(CF_UNICODETEXT, memory.get()))
    return false;
  (void)memory.release();  // the clipboard owns it now
  return true;
}

}  // namespace quorvel::win
