// A window nobody sees that hands every message it gets to one handler: the notification-area
// icon talks to the program through it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "Window.h"

namespace quorvel::win {

// One message as the handler sees it; the handler sets Result, which goes back to the sender.
struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// Zero-size, never shown, a top-level tool popup without a parent. Not a message-only window:
// those miss the broadcasts, "TaskbarCreated" among them.
class HiddenWindow : public Window<HiddenWindow> {
 public:
  using Handler = std::function<void(TMessage&)>;

  // `name` is the window's caption, by which another process can find it.
  HiddenWindow(HINSTANCE instance, const std::wstring& name, Handler handler);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  static constexpr wchar_t kClassName[] = L"QuorvelTrayWindow";

 private:
  Handler handler_;
  bool created_ = false;  // messages of the creation itself get the default processing
};

}  // namespace quorvel::win
