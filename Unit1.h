// TForm1: the strip. Wires the core's grid and actions to one layered, topmost window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "Handles.h"
#include "LayeredCanvas.h"
#include "Settings.h"
#include "SlotActions.h"
#include "SlotGrid.h"
#include "StripGeometry.h"
#include "StripPainter.h"
#include "Window.h"

namespace quorvel {

// What the strip asks of the platform; tests script it.
struct AppPorts {
  IconPort& icons;
  DialogPort& dialogs;
  ShellPort& shell;
  FilePort& files;
  AnsiDecoder& ansi;
};

class TForm1 : public win::Window<TForm1> {
 public:
  // The settings file is worked out from `exePath` at every load and save.
  TForm1(HINSTANCE instance, std::u16string exePath, AppPorts ports);
  ~TForm1();

  SlotGrid& Grid() { return grid_; }
  int ActiveTab() const { return state_.activeTab; }
  const win::LayeredCanvas& Canvas() const { return *canvas_; }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  void FormCreate();
  void FormCloseQuery();
  void FormDestroy();
  void TabMouseDown(int tab, WPARAM buttons);
  void SlotMouseDown(int slot, WPARAM buttons);
  void Repaint();

  AppPorts ports_;
  SlotGrid grid_;
  SlotActions actions_;
  std::u16string exePath_;
  StripGeometry geometry_;
  std::unique_ptr<win::LayeredCanvas> canvas_;
  win::UniqueFont font_;
  win::StripState state_;
  FormBounds bounds_;
};

}  // namespace quorvel
