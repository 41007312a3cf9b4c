#include "HiddenWindow.h"

namespace quorvel::win {

HiddenWindow::HiddenWindow(HINSTANCE instance, const std::wstring& name, Handler handler)
    : handler_(std::move(handler)) {
  Register(instance, kClassName, 0);
  Create(WS_EX_TOOLWINDOW, kClassName, name.c_str(), WS_POPUP, 0, 0, 0, 0, instance);
  created_ = Handle() != nullptr;
}

LRESULT HiddenWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (!created_ || !handler_)
    return Default(msg, wp, lp);
  TMessage message{msg, wp, lp, 0};
  handler_(message);
  return message.Result;
}

}  // namespace quorvel::win
