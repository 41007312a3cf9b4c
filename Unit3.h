// TForm3: the About window. Created hidden after the strip; closing it only hides it.
#pragma once

#include <windows.h>

#include "Window.h"

namespace quorvel {

class TForm3 : public win::Window<TForm3> {
 public:
  explicit TForm3(HINSTANCE instance);
  // Centred at its first showing; later showings keep the place the user left it at.
  void Show();
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  bool shownBefore_ = false;
};

}  // namespace quorvel
