// TForm3: the About window. Created hidden after the strip; closing it only hides it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "Handles.h"
#include "LayeredCanvas.h"
#include "ReadOnlyMemo.h"
#include "ResourcePictures.h"
#include "Window.h"
#include "WinIcons.h"

namespace quorvel {

// Where the window takes its pictures from, by resource id: the executable, or a test.
using PictureSource = std::function<std::shared_ptr<const win::SlotPicture>(int id)>;

class TForm3 : public win::Window<TForm3> {
 public:
  explicit TForm3(HINSTANCE instance, PictureSource pictures = &win::LoadPictureResource);
  ~TForm3();

  // Shows and activates the window, centred at its first showing; later showings keep the
  // place the user left it at. On a window that shows already it comes to the front.
  void Show();

  const std::u16string& VersionText() const { return lblExeVasion_; }
  double EmblemScale() const { return emblemScale_; }
  win::ReadOnlyMemo& Memo1() { return *memo1_; }
  const win::LayeredCanvas& Canvas() const { return *canvas_; }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  // The window's description: its controls and their pictures.
  void CreateControls();
  void FormCreate();
  void ApplyDpi(int dpi);
  void Repaint();
  void PaintCanvas();
  void FitClientArea();
  void Print(HDC dc, LPARAM flags);
  LRESULT Wheel(UINT msg, WPARAM wp, LPARAM lp);

  PictureSource pictures_;
  int dpi_ = 96;
  bool shownBefore_ = false;
  // Pictures, canvas and painting wait for the first showing (or print): none of it is needed
  // to start the program.
  bool picturesTaken_ = false;
  bool painted_ = false;
  std::shared_ptr<const win::SlotPicture> emblem_, screenshot_;
  double emblemScale_;
  std::u16string lblExeVasion_;  // set by FormCreate
  std::u16string label2_;
  win::UniqueFont versionFont_, rightsFont_;
  std::unique_ptr<win::LayeredCanvas> canvas_;
  std::unique_ptr<win::ReadOnlyMemo> memo1_;
};

}  // namespace quorvel
