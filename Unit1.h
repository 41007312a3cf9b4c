// TForm1: the strip. Wires the core's grid and actions to one layered, topmost window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <memory>
#include <string>

#include <wrl/client.h>

#include "DropTarget.h"
#include "HiddenWindow.h"
#include "Handles.h"
#include "LayeredCanvas.h"
#include "MenuGlyphs.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "PopupCommands.h"
#include "SlotActions.h"
#include "SlotGrid.h"
#include "StripGeometry.h"
#include "StripPainter.h"
#include "Tooltips.h"
#include "Window.h"

namespace quorvel {

// What the strip asks of the platform; tests script it.
struct AppPorts {
  IconPort& icons;
  DialogPort& dialogs;
  ShellPort& shell;
  FilePort& files;
  AnsiDecoder& ansi;
  CommandDialogPort& commands;
};

// The popup menu's items, top to bottom.
enum class MenuCommand : UINT { Open = 1, Hint, Mini, About, Dash, Exit };

class TForm3;

class TForm1 : public win::Window<TForm1> {
 public:
  // The settings file is worked out from `exePath` at every load and save. `instanceKey` names
  // the hidden window, so that a second start can find this one.
  TForm1(HINSTANCE instance, std::u16string exePath, AppPorts ports,
         std::wstring instanceKey = L"");
  ~TForm1();

  void SetAbout(TForm3* about) { form3_ = about; }
  SlotGrid& Grid() { return grid_; }
  int ActiveTab() const { return state_.activeTab; }
  const win::LayeredCanvas& Canvas() const { return *canvas_; }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Opens the popup menu at a point in physical screen pixels; returns when it has closed.
  void Popup(POINT at);
  // The captions the menu shows, rewritten by PopupMenu1Popup at every opening.
  const std::u16string& Caption(MenuCommand item) const;
  void Run(MenuCommand command);
  // What the system calls while something is dragged over the strip.
  IDropTarget* DropTargetOfStrip() const { return dropTarget_.Get(); }
  int OutlinedSlot() const { return state_.dropSlot; }
  const win::Tooltips* Tips() const { return tooltips_.get(); }
  // The notification-area icon: the window its callbacks go to, and what was given the shell.
  HWND TrayWindow() const { return hTaskTrayWindowProc; }
  const NOTIFYICONDATAW& NotifyIconData() const { return FNotifyIconData; }
  // True while a dialog or the popup menu of the program is open.
  bool Busy() const { return modal_ > 0; }

 private:
  // Marks a dialog or the menu as open for its lifetime.
  class ModalScope;

  void FormCreate();
  void CreateTrayIcon();
  void TrayWndProc(win::TMessage& message);
  void DeleteTrayIcon();
  void HideTaskbarButton();
  void ToggleStrip();
  void ShowStrip();
  void BringModalToFront() const;
  [[nodiscard]] bool SaveNow();
  void FormCloseQuery();
  void FormDestroy();
  void TabMouseDown(int tab, WPARAM buttons);
  void SlotMouseDown(int slot, WPARAM buttons);
  void Repaint();
  void ApplyDpi(int dpi);
  void RetakePictures();
  void UpdateTips();
  bool SlotDragOver(POINT screen);
  void ClearDropOutline();
  void SlotDragDrop(const std::vector<std::u16string>& files);
  void PopupMenu1Popup();
  void pmOpenClick();
  void pmHintClick();
  void pmMiniClick();
  void pmAboutClick();
  void pmSyuryoClick();

  AppPorts ports_;
  HINSTANCE instance_;
  std::wstring instanceKey_;
  std::unique_ptr<win::HiddenWindow> trayWindow_;
  HWND hTaskTrayWindowProc = nullptr;
  NOTIFYICONDATAW FNotifyIconData{};
  // Registered once: the tray window compares every message it gets with them.
  UINT taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  UINT showStrip_ = win::ShowStripMessage();
  bool settingsUnread_ = false;  // the file was there but could not be read at start
  int modal_ = 0;
  bool closePending_ = false;
  SlotGrid grid_;
  SlotActions actions_;
  std::u16string exePath_;
  StripGeometry geometry_;
  std::unique_ptr<win::LayeredCanvas> canvas_;
  win::UniqueFont font_;
  win::StripState state_;
  FormBounds bounds_;
  TForm3* form3_ = nullptr;
  win::UniqueBrush menuBackground_{CreateSolidBrush(RGB(0x33, 0x33, 0x33))};
  win::UniqueMenu popupMenu1_;
  win::MenuGlyphs imageList1_ = win::MenuGlyphs::FromResources();
  std::array<std::u16string, 6> captions_;
  Microsoft::WRL::ComPtr<win::DropTarget> dropTarget_;
  std::unique_ptr<win::Tooltips> tooltips_;
};

}  // namespace quorvel
